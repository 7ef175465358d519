#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velnix::linux_platform::testing {

// The status of a run as nobody whose program that user could not reach.
inline constexpr int kUnreachableProgram = 126;

struct ProgramRun {
    int status = -1;  // exit status, or -1 when the program did not end normally
    std::string out;
    std::string err;
};

// Runs a program (argv, with a path first) with this process's environment and waits for it.
// `unprivileged`: when this process runs as root, the program runs as the user nobody, from a
// copy in a temporary folder that every user may enter (the build may lie in a folder closed to
// others, such as /root); kUnreachableProgram when nobody cannot run even that copy.
ProgramRun RunProgram(const std::vector<std::string>& arguments, bool unprivileged = false);

// Starts the programs (argv each, with a path first) at the same moment, their output on
// /dev/null, and returns their exit statuses once all have ended (-1 for one that did not end
// normally).
std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& programs);

// Runs `work` in a child process of its own process group and returns its result, or -1 when it
// has not ended after `seconds`: the group is then killed. A guard against a hang, not a
// measure of speed; `elapsedMs` gets the time it took.
int RunGuarded(const std::function<int()>& work, int seconds, long& elapsedMs);

// The dialer of the build.
std::string DialerPath();

// The command-line words of a running process (from the real /proc), empty when it is gone.
std::vector<std::string> CommandLineOf(int pid);

// The processes whose parent is this process.
int ChildProcessCount();

}  // namespace velnix::linux_platform::testing
