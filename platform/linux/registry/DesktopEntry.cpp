#include "platform/linux/registry/DesktopEntry.h"

namespace velnix::linux_platform {

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kFieldCodes = "fFuUdDnNickvm";

std::string QuoteExecArgument(std::string_view argument) {
    std::string result;
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
    if (quote) result += '"';
    for (char c : argument) {
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) result += '\\';
        if (c == '%') result += '%';
        result += c;
    }
    if (quote) result += '"';
    return result;
}

// The escapes of a string value: backslash, newline, tab and carriage return.
std::string EscapeStringValue(std::string_view value) {
    std::string result;
    for (char c : value) {
        switch (c) {
            case '\\':
                result += "\\\\";
                break;
            case '\n':
                result += "\\n";
                break;
            case '\t':
                result += "\\t";
                break;
            case '\r':
                result += "\\r";
                break;
            default:
                result += c;
        }
    }
    return result;
}

std::string UnescapeStringValue(std::string_view value) {
    std::string result;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                result += ' ';
                break;
            case 'n':
                result += '\n';
                break;
            case 't':
                result += '\t';
                break;
            case 'r':
                result += '\r';
                break;
            case '\\':
                result += '\\';
                break;
            default:
                result += '\\';
                result += value[i];
        }
    }
    return result;
}

bool IsFieldCode(std::string_view argument) {
    return argument.size() == 2 && argument[0] == '%' &&
           kFieldCodes.find(argument[1]) != std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string DesktopExecValue(const std::vector<std::string>& arguments) {
    std::string exec;
    for (const std::string& argument : arguments) {
        if (!exec.empty()) exec += ' ';
        exec += QuoteExecArgument(argument);
    }
    return EscapeStringValue(exec);
}

std::vector<std::string> ParseDesktopExecValue(std::string_view value) {
    const std::string exec = UnescapeStringValue(value);
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    auto finish = [&]() {
        if (inArgument && !IsFieldCode(current)) {
            std::string argument;
            for (size_t i = 0; i < current.size(); ++i) {
                argument += current[i];
                if (current[i] == '%' && i + 1 < current.size() && current[i + 1] == '%') ++i;
            }
            arguments.push_back(std::move(argument));
        }
        current.clear();
        inArgument = false;
    };
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size() &&
                       kEscapedInQuotes.find(exec[i + 1]) != std::string_view::npos) {
                current += exec[++i];
            } else {
                current += c;
            }
        } else if (c == '"') {
            quoted = true;
            inArgument = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            finish();
        } else {
            current += c;
            inArgument = true;
        }
    }
    finish();
    return arguments;
}

DesktopEntryFacts ParseDesktopEntry(std::string_view text) {
    DesktopEntryFacts facts;
    bool inMainGroup = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (key == "Exec") facts.exec = std::string(value);
        if (key == "Hidden") facts.hidden = value == "true";
    }
    return facts;
}

std::string AutostartDesktopEntry(const std::vector<std::string>& arguments) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Velnix-Connect\n"
           "Comment=Garde la connexion Internet active\n"
           "Exec=" +
           DesktopExecValue(arguments) +
           "\n"
           "Terminal=false\n";
}

}  // namespace velnix::linux_platform
