#include "engine/DialCommand.h"

#include "common/CommandLine.h"

namespace velnix {

std::string DialCommandLine(std::string_view entry, std::string_view login,
                            std::string_view password) {
    std::string line(kDialerProgram);
    for (const std::string_view value : {entry, login, password}) {
        line += ' ';
        line += QuoteArgument(value);
    }
    return line;
}

std::string HangUpCommandLine(std::string_view entry) {
    return std::string(kDialerProgram) + ' ' + QuoteArgument(entry) + " /disconnect";
}

}  // namespace velnix
