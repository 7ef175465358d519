// Command lines by the Windows rules: arguments quoted one by one, or a whole start command,
// split back into the same arguments; the start command's autostart entry read back; any
// autostart entry read without harm.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/CommandLine.h"
#include "platform/linux/process/CommandLine.h"
#include "platform/linux/registry/DesktopEntry.h"
#include "platform/linux/registry/StartCommand.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix;
using namespace velnix::linux_platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> arguments(input.ConsumeIntegralInRange<size_t>(0, 6));
    for (std::string& argument : arguments) {
        argument = input.ConsumeRandomLengthString(64);
        std::erase(argument, '\0');  // a command line is NUL-terminated text
    }
    const std::string program = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();
    SplitCommandLine(text);
    // Any desktop entry file: the arguments of its Exec value are written back unchanged.
    const std::vector<std::string> read = ParseDesktopExecValue(ParseDesktopEntry(text).exec);
    Require(ParseDesktopExecValue(DesktopExecValue(read)) == read,
            "the arguments of any Exec value are written back unchanged");

    std::string line = "rasdial.exe";
    for (const std::string& argument : arguments) line += ' ' + QuoteArgument(argument);
    std::vector<std::string> expected = {"rasdial.exe"};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    Require(SplitCommandLine(line) == expected, "quoted arguments split back unchanged");

    // A start command: the program's path first (any byte a Linux path may hold), then its
    // arguments.
    if (program.empty() || program.find('\0') != std::string::npos) return 0;
    std::vector<std::string> command = {program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Require(SplitCommandLine(StartCommandLine(command)) == command,
            "a start command splits back into its arguments");
    Require(
        ParseDesktopExecValue(ParseDesktopEntry(AutostartDesktopEntry(command)).exec) == command,
        "the autostart entry reads back its arguments");
    return 0;
}
