// Any argument vector, its arguments separated by NUL bytes: the command line
// ends with status 0, 1 or 2, or leaves the arguments to the windows, and
// never crashes. Run with -close_fd_mask=3: what it prints is of no interest.
// A plot goes to one scratch file whatever file the input names, so that the
// fuzzer writes nowhere else.
#include "commandline.h"
#include "fuzzcheck.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The scratch file, and the value of a --plot taken as the command line
// takes it: in the same argument after "=", or as the next argument.
const std::string scratch =
    (std::filesystem::temp_directory_path() / "brelkot-fuzz-plot.svg").string();

void divertPlots(std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].starts_with("--plot="))
            arguments[i] = "--plot=" + scratch;
        else if (arguments[i] == "--plot" && i + 1 < arguments.size() &&
                 !arguments[i + 1].starts_with("--"))
            arguments[++i] = scratch;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments = {"brelkot", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    if (size == 0)
        arguments.pop_back();
    divertPlots(arguments);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const std::optional<int> status =
        runCommandLine(static_cast<int>(arguments.size()), argv.data());
    if (status)
        FUZZ_CHECK(*status == 0 || *status == 1 || *status == 2);
    else
        FUZZ_CHECK(arguments.size() == 1 || arguments[1].starts_with('-'));
    return 0;
}
