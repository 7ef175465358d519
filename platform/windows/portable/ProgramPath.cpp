#include "platform/windows/portable/ProgramPath.h"

namespace velnix::windows_platform {

ProgramPath SplitProgramPath(std::string_view path) {
    ProgramPath parts;
    const size_t separator = path.find_last_of('\\');
    std::string_view file = path;
    if (separator != std::string_view::npos) {
        parts.folder = path.substr(0, separator);
        if (parts.folder.size() == 2 && parts.folder[1] == ':') parts.folder += '\\';
        file = path.substr(separator + 1);
    }
    const size_t dot = file.find_last_of('.');
    parts.name = file.substr(0, dot);
    if (dot != std::string_view::npos) parts.extension = file.substr(dot);
    return parts;
}

std::string_view CommandProgram(std::string_view commandLine) {
    const size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string_view::npos) return {};
    commandLine.remove_prefix(start);
    if (commandLine.front() == '"') {
        commandLine.remove_prefix(1);
        return commandLine.substr(0, commandLine.find('"'));
    }
    return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

}  // namespace velnix::windows_platform
