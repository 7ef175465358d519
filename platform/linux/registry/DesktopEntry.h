#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// The Exec key of a desktop entry as its file holds it: each argument quoted when it has a
// reserved character, "%" doubled, then the value's own escapes (\\, \n, \t, \r) applied.
std::string DesktopExecValue(const std::vector<std::string>& arguments);

// The arguments of an Exec value as its file holds it. Field codes such as %f or %U stand for
// nothing at login and are dropped; "%%" gives "%".
std::vector<std::string> ParseDesktopExecValue(std::string_view value);

// What an autostart desktop entry file says about the program it starts.
struct DesktopEntryFacts {
    bool hidden = false;  // Hidden=true: the entry counts as deleted
    std::string exec;     // the Exec value as the file holds it
};

// Reads the [Desktop Entry] group of a desktop entry file's text.
DesktopEntryFacts ParseDesktopEntry(std::string_view text);

// The text of the desktop entry that starts `arguments` at login.
std::string AutostartDesktopEntry(const std::vector<std::string>& arguments);

}  // namespace velnix::linux_platform
