#pragma once

#include <string_view>
#include <vector>

namespace velnix::windows_platform {

// The automation machinery's switches on the program's command line; every other argument is
// ignored, as the program reads no command line of its own.
enum class ServerSwitch {
    kNone,
    kEmbedding,    // started by COM to serve the objects its clients create
    kRegServer,    // enter the class in the registry, then end
    kUnregServer,  // remove it, then end
};

// The first switch among `arguments` (the program's name excluded), with "/" or "-" and in any
// case: "/RegServer", "-Embedding"...
ServerSwitch FindServerSwitch(const std::vector<std::wstring_view>& arguments);

// The switch on this process's command line.
ServerSwitch ProgramServerSwitch();

}  // namespace velnix::windows_platform
