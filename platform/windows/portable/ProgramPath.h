#pragma once

#include <string>
#include <string_view>

namespace velnix::windows_platform {

// A program's full path, split as its start command is put together again.
struct ProgramPath {
    std::string folder;     // without a closing backslash, except at a drive's root ("C:\")
    std::string name;       // the file's name without its extension
    std::string extension;  // with its dot (".exe"); empty when the name has none
};

ProgramPath SplitProgramPath(std::string_view path);

// The program a command line starts, as CreateProcess reads it: a first word in double quotes
// ends at the next quote, any other at the first blank. Empty for a blank line.
std::string_view CommandProgram(std::string_view commandLine);

}  // namespace velnix::windows_platform
