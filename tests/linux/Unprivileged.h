#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace velnix::linux_platform::testing {

// Runs `check` in a child process that, when this one runs as root, first becomes the unprivileged
// user nobody (so that file modes apply), and returns the child's exit status (`check`'s result),
// or -1 if it did not end normally.
template <typename Check>
int RunUnprivileged(Check check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        _exit(check());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace velnix::linux_platform::testing
