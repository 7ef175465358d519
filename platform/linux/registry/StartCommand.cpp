#include "platform/linux/registry/StartCommand.h"

#include "common/CommandLine.h"

namespace velnix::linux_platform {

std::string StartCommandLine(const std::vector<std::string>& arguments) {
    std::string commandLine;
    for (const std::string& argument : arguments) {
        if (!commandLine.empty()) commandLine += ' ';
        const bool needsQuotes =
            argument.empty() || argument.find_first_of(" \t\"") != std::string::npos;
        commandLine += needsQuotes ? QuoteArgument(argument) : argument;
    }
    return commandLine;
}

}  // namespace velnix::linux_platform
