#include "platform/linux/process/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace velnix::linux_platform {

namespace {

std::vector<char*> PointersTo(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Moves a descriptor above the standard streams, so that redirecting them cannot close it.
int AboveStandardStreams(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    return moved;
}

[[noreturn]] void ReportAndExit(int statusPipe, int error) {
    while (::write(statusPipe, &error, sizeof error) < 0 && errno == EINTR) {
    }
    ::_exit(127);
}

// The reading end of a close-on-exec pipe that holds `input` and its end, above the standard
// streams; -1 with errno set on failure.
int InputPipe(std::string_view input) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);  // a text larger than the pipe fails, never blocks
    const ssize_t written = ::write(ends[1], input.data(), input.size());
    int error = 0;
    if (written < 0 && errno != EAGAIN) {
        error = errno;
    } else if (written != static_cast<ssize_t>(input.size())) {
        error = E2BIG;
    }
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        errno = error;
        return -1;
    }
    return AboveStandardStreams(ends[0]);
}

// In the grandchild: only async-signal-safe calls from here to exec.
[[noreturn]] void RunProgram(const char* program, char* const* argv, char* const* envp,
                             int statusPipe, int inputPipe, long openMax) {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &defaults, nullptr);

    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0) ReportAndExit(statusPipe, errno);
    // Standard input last: /dev/null may have been given descriptor 0.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO, STDIN_FILENO}) {
        const int stream = fd == STDIN_FILENO && inputPipe >= 0 ? inputPipe : null;
        if (stream != fd && ::dup2(stream, fd) < 0) ReportAndExit(statusPipe, errno);
    }
    if (null > STDERR_FILENO) ::close(null);

    // Descriptors the caller left inheritable (sockets of the toolkit, ...) stay with the caller.
    if (::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = STDERR_FILENO + 1; fd < openMax; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    ::execve(program, argv, envp);
    ReportAndExit(statusPipe, errno);
}

}  // namespace

int StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, std::string_view input) {
    const std::vector<char*> argv = PointersTo(arguments);
    const std::vector<char*> envp = PointersTo(environment);
    const long openMax = ::sysconf(_SC_OPEN_MAX);

    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) return errno;
    status[0] = AboveStandardStreams(status[0]);
    status[1] = AboveStandardStreams(status[1]);
    const int inputPipe = input.empty() || status[0] < 0 || status[1] < 0 ? -1 : InputPipe(input);
    if (status[0] < 0 || status[1] < 0 || (!input.empty() && inputPipe < 0)) {
        const int error = errno;
        if (status[0] >= 0) ::close(status[0]);
        if (status[1] >= 0) ::close(status[1]);
        return error;
    }

    const pid_t intermediate = ::fork();
    if (intermediate == 0) {
        ::close(status[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) ReportAndExit(status[1], errno);
        if (grandchild > 0) ::_exit(0);
        RunProgram(program.c_str(), argv.data(), envp.data(), status[1], inputPipe, openMax);
    }
    const int forkError = errno;
    ::close(status[1]);
    if (inputPipe >= 0) ::close(inputPipe);
    if (intermediate < 0) {
        ::close(status[0]);
        return forkError;
    }
    while (::waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }

    // End of file without a word: the program runs (exec closed the pipe).
    int error = 0;
    ssize_t got;
    while ((got = ::read(status[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(status[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace velnix::linux_platform
