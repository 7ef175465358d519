#include "engine/DialCommand.h"

namespace velnix {

std::string QuoteArgument(std::string_view value) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

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
