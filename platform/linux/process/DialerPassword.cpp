#include "platform/linux/process/DialerPassword.h"

#include <filesystem>
#include <utility>

#include "common/Text.h"
#include "engine/DialCommand.h"
#include "platform/linux/process/ProgramSearch.h"

namespace velnix::linux_platform {

std::optional<std::string> TakeDialerPassword(std::vector<std::string>& arguments) {
    if (arguments.size() != 4) return std::nullopt;
    const std::string program = std::filesystem::path(arguments.front()).filename().string();
    if (!EqualsIgnoreCase(BareProgramName(program), BareProgramName(kDialerProgram))) {
        return std::nullopt;
    }
    std::string input = std::exchange(arguments[3], std::string(kPasswordFromInput));
    input += '\n';
    return input;
}

}  // namespace velnix::linux_platform
