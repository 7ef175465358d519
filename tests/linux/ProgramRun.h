#pragma once

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

// The dialer of the build.
std::string DialerPath();

// The command-line words of a running process (from the real /proc), empty when it is gone.
std::vector<std::string> CommandLineOf(int pid);

// The processes whose parent is this process.
int ChildProcessCount();

}  // namespace velnix::linux_platform::testing
