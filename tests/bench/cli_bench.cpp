// The whole-process time of a command-line calculation, and of the parts
// list, the response and the plot for it, from the start of the process to
// its end, against a program that links the same Qt libraries and exits at
// once. Runs of all of them interleave; each ratio is the median of the
// ratios within each round.
//   usage: bench_cli PROGRAM FLOOR

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
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
    char folder[] = "/tmp/bench_cli.XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("bench_cli");
        return 1;
    }
    const std::string plot = std::string(folder) + "/plot.svg";
    // The third-order window with every group given: the most results.
    const std::vector<std::string> example = {"--slope",    "18",         "--woofer",  "500,8",
                                              "--midrange", "500,3000,8", "--tweeter", "3000,8"};
    struct Variant
    {
        const char* name;
        std::vector<std::string> more;
        std::vector<char*> argv = {};
        std::vector<double> times = {}, ratios = {};
    };
    std::vector<Variant> variants = {
        {"calculation", {}},
        {"parts", {"--parts"}},
        {"response", {"--response"}},
        {"plot", {"--plot", plot}},
    };
    for (Variant& variant : variants) {
        variant.more.insert(variant.more.begin(), example.begin(), example.end());
        variant.argv.push_back(argv[1]);
        for (std::string& argument : variant.more)
            variant.argv.push_back(argument.data());
        variant.argv.push_back(nullptr);
    }
    char* const floor[] = {argv[2], nullptr};

    const int warmUp = 5;
    const int rounds = 101;
    std::vector<double> minimal;
    for (int i = 0; i < warmUp + rounds; ++i) {
        for (Variant& variant : variants)
            variant.times.push_back(runOnce(variant.argv.data()));
        const double m = runOnce(floor);
        if (i < warmUp) {
            for (Variant& variant : variants)
                variant.times.pop_back();
            continue;
        }
        minimal.push_back(m);
        for (Variant& variant : variants)
            variant.ratios.push_back(variant.times.back() / m);
    }
    std::remove(plot.c_str());
    rmdir(folder);
    std::fprintf(stderr, "command line: %d runs of each, interleaved\n", rounds);
    for (const Variant& variant : variants)
        std::printf("cli.%s_ms\t%.2f\tms\n", variant.name, median(variant.times));
    std::printf("cli.minimal_ms\t%.2f\tms\n", median(minimal));
    // The calculation's own ratio keeps the name it has always had.
    std::printf("cli.ratio\t%.2f\tx\n", median(variants.front().ratios));
    for (std::size_t i = 1; i < variants.size(); ++i)
        std::printf("cli.%s_ratio\t%.2f\tx\n", variants[i].name, median(variants[i].ratios));
    return 0;
}
