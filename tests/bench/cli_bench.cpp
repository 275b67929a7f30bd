// The whole-process time of a command-line calculation, and of the parts list
// for it, from the start of the process to its end, against a program that
// links the same Qt libraries and exits at once. Runs of the three
// interleave; each ratio is the median of the ratios within each round.
//   usage: bench_cli PROGRAM FLOOR

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// One run in milliseconds, its output thrown away; exits on a failed run.
double runOnce(char* const argv[])
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_cli: %s did not run cleanly\n", argv[0]);
        std::exit(1);
    }
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_cli PROGRAM FLOOR\n");
        return 2;
    }
    // The third-order window with every group given: the most results.
    std::string arguments[] = {"--slope",    "18",        "--woofer", "500,8",  "--midrange",
                               "500,3000,8", "--tweeter", "3000,8",   "--parts"};
    std::vector<char*> parts = {argv[1]};
    for (std::string& argument : arguments)
        parts.push_back(argument.data());
    parts.push_back(nullptr);
    std::vector<char*> calculation = parts;
    calculation.erase(calculation.end() - 2); // without --parts
    char* const floor[] = {argv[2], nullptr};

    const int warmUp = 5;
    const int rounds = 101;
    std::vector<double> program, listed, minimal, ratios, partsRatios;
    for (int i = 0; i < warmUp + rounds; ++i) {
        const double p = runOnce(calculation.data());
        const double l = runOnce(parts.data());
        const double m = runOnce(floor);
        if (i < warmUp)
            continue;
        program.push_back(p);
        listed.push_back(l);
        minimal.push_back(m);
        ratios.push_back(p / m);
        partsRatios.push_back(l / m);
    }
    std::fprintf(stderr, "command line: %d runs of each, interleaved\n", rounds);
    std::printf("cli.calculation_ms\t%.2f\tms\n", median(program));
    std::printf("cli.parts_ms\t%.2f\tms\n", median(listed));
    std::printf("cli.minimal_ms\t%.2f\tms\n", median(minimal));
    std::printf("cli.ratio\t%.2f\tx\n", median(ratios));
    std::printf("cli.parts_ratio\t%.2f\tx\n", median(partsRatios));
    return 0;
}
