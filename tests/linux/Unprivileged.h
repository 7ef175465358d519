#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velnix::linux_platform::testing {

// The folder for temporary files that every user may enter, whatever TMPDIR names (which may be
// a folder of one's own, as with pam_tmpdir): what nobody must reach is made there.
inline constexpr const char* kOpenTempFolder = "/tmp";

// Makes this process the unprivileged user nobody (group nogroup, none of root's supplementary
// groups), so that file modes bind it; false when it could not.
inline bool BecomeNobody() {
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kNoGroup = 65534;
    return setgroups(0, nullptr) == 0 && setgid(kNoGroup) == 0 && setuid(kNobody) == 0;
}

// Runs `check` in a child process that, when this one runs as root, first becomes nobody, and
// returns the child's exit status (`check`'s result), or -1 if it did not end normally. As any
// other user the modes already bind the check.
template <typename Check>
int RunUnprivileged(Check check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && !BecomeNobody()) _exit(100);
        _exit(check());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace velnix::linux_platform::testing
