#include "platform/linux/rasdial/PasswordInput.h"

#include <signal.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace velnix::linux_platform {

namespace {

constexpr size_t kLimit = 4096;

// The terminal's settings before the echo was turned off, put back if a signal ends the dialer
// while the password is being typed.
int gTerminal = -1;
struct termios gSaved {};

void RestoreAndDie(int signal) {
    ::tcsetattr(gTerminal, TCSAFLUSH, &gSaved);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Reads until `stop` or the end of the input, at most kLimit bytes.
bool ReadUntil(int fd, char stop, std::string& text) {
    char c = 0;
    while (text.size() < kLimit) {
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0 || c == stop) break;
        text += c;
    }
    return true;
}

bool WriteText(std::string_view text) {
    return ::write(STDERR_FILENO, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool ReadFromTerminal(int fd, std::string& password) {
    constexpr int kEndSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};
    if (::tcgetattr(fd, &gSaved) != 0) return false;
    gTerminal = fd;
    for (const int signal : kEndSignals) ::signal(signal, RestoreAndDie);
    struct termios silent = gSaved;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    // The echo goes off before the prompt shows: nothing typed after it is ever shown.
    const bool read = ::tcsetattr(fd, TCSAFLUSH, &silent) == 0 && WriteText("Mot de passe : ") &&
                      ReadUntil(fd, '\n', password);
    const int error = errno;
    ::tcsetattr(fd, TCSAFLUSH, &gSaved);
    for (const int signal : kEndSignals) ::signal(signal, SIG_DFL);
    static_cast<void>(WriteText("\n"));  // the typed line end was not echoed
    errno = error;
    return read;
}

}  // namespace

bool ReadPassword(int fd, std::string& password) {
    ::explicit_bzero(password.data(), password.size());
    password.clear();
    password.reserve(kLimit);  // no copy of the password is left behind by a reallocation
    if (::isatty(fd)) return ReadFromTerminal(fd, password);
    if (!ReadUntil(fd, '\0', password)) return false;
    if (!password.empty() && password.back() == '\n') password.pop_back();
    return true;
}

}  // namespace velnix::linux_platform
