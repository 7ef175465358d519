#include "platform/linux/rasdial/DialerActions.h"

#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "common/Text.h"
#include "platform/linux/SystemRoot.h"
#include "platform/linux/networkmanager/NetworkManagerLinks.h"
#include "platform/linux/process/DialerPassword.h"
#include "platform/linux/process/ProgramSearch.h"
#include "platform/linux/process/SystemErrorText.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/ras/PppPeers.h"
#include "platform/linux/ras/PppWords.h"
#include "platform/linux/rasdial/DialerMessage.h"
#include "platform/linux/rasdial/ManagedDial.h"
#include "platform/linux/rasdial/PasswordInput.h"

namespace velnix::linux_platform {

namespace {

// pppd keeps at most 255 bytes of a name or a password: a longer one would be cut short
// without a word (and a long password could fill the pipe before pppd reads it).
constexpr size_t kWordLimit = 255;

// Moves a descriptor that pppd must inherit above the standard streams, which pppd closes when
// it detaches; -1 with errno set on failure.
int AboveStandardStreams(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int moved = ::fcntl(fd, F_DUPFD, STDERR_FILENO + 1);
    const int error = errno;
    ::close(fd);
    errno = error;
    return moved;
}

// The pppd processes of the entry: those with a unit, and those still dialing before it. Only
// the caller's own and the system's count: another user's process is neither waited for nor
// signalled.
std::vector<uint32_t> PppdsOf(const std::string& entry) {
    std::vector<uint32_t> pids = PppdProcessesOf(entry);
    for (const PppLink& link : ListPppLinks()) {
        if (EqualsIgnoreCase(link.entry, entry) && IsOwnOrSystemProcess(link.pid)) {
            pids.push_back(link.pid);
        }
    }
    std::sort(pids.begin(), pids.end());
    pids.erase(std::unique(pids.begin(), pids.end()), pids.end());
    return pids;
}

// The entry's options file: kDialerDone when it can be dialed.
int CheckEntry(const std::string& entry) {
    if (!IsPeerName(entry) || entry.find('/') != std::string::npos) {
        return Fail(kDialerUnknownEntry, "entrée inconnue " + Quoted(entry));
    }
    struct stat status {};
    if (::stat(UnderRoot("/etc/ppp/peers/" + entry).c_str(), &status) != 0) {
        if (errno == EACCES) {
            return Fail(kDialerNoRight, "droits insuffisants pour composer " + Quoted(entry) +
                                            " (il faut appartenir au groupe dip)");
        }
        return Fail(kDialerUnknownEntry,
                    "entrée inconnue " + Quoted(entry) + " (absente de /etc/ppp/peers)");
    }
    if (!S_ISREG(status.st_mode)) {
        return Fail(kDialerUnknownEntry, "entrée inconnue " + Quoted(entry));
    }
    return kDialerDone;
}

// Opens the entry's options file and locks it for this dial. The descriptor is inherited by
// pppd, which holds the lock for its life: from before the test for a pppd of the entry until
// that pppd ends, no other dial of the entry gets past this point. kDialerDone with `lock` -1
// when another dial holds it.
int LockEntry(const std::string& entry, int& lock) {
    lock = ::open(UnderRoot("/etc/ppp/peers/" + entry).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (lock < 0) {
        if (errno == EACCES) {
            return Fail(kDialerNoRight, "droits insuffisants pour composer " + Quoted(entry) +
                                            " (il faut appartenir au groupe dip)");
        }
        return Fail(kDialerUnknownEntry, "entrée inconnue " + Quoted(entry));
    }
    struct stat status {};
    if (::fstat(lock, &status) != 0 || !S_ISREG(status.st_mode)) {  // replaced since the check
        ::close(lock);
        return Fail(kDialerUnknownEntry, "entrée inconnue " + Quoted(entry));
    }
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(lock);
        lock = -1;
        if (error == EWOULDBLOCK) return kDialerDone;
        return Fail(kDialerSystemError,
                    "impossible de réserver " + Quoted(entry) + " : " + SystemErrorText(error));
    }
    lock = AboveStandardStreams(lock);
    if (lock < 0) {
        return Fail(kDialerSystemError,
                    "impossible de réserver " + Quoted(entry) + " : " + SystemErrorText(errno));
    }
    return kDialerDone;
}

// pppd lives in /usr/sbin, which a user's PATH often lacks. Under a moved root (a simulation)
// only PATH counts, so that the real pppd never dials what was checked in the fixture. A pppd
// that this user may not run (Debian's runs for root and the group dip only) is still returned,
// so that its start fails as a lack of right, not as a missing program.
std::optional<std::filesystem::path> FindPppd() {
    std::vector<std::filesystem::path> folders = SearchPathFolders();
    if (SystemRoot() == "/") {
        for (const char* folder : {"/usr/local/sbin", "/usr/sbin", "/sbin"}) {
            folders.emplace_back(folder);
        }
    }
    if (std::optional<std::filesystem::path> pppd = FindProgram("pppd", folders)) return pppd;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / "pppd", error)) return folder / "pppd";
    }
    return std::nullopt;
}

// A pipe holding the option line `password "<password>"`, at end of file once read; returns
// its reading end, inheritable, or -1 with errno set.
int PasswordPipe(std::string& password) {
    std::string option = "password " + QuotePppWord(password) + "\n";
    ::explicit_bzero(password.data(), password.size());
    int ends[2];
    int result = ::pipe(ends);
    if (result == 0) {
        const ssize_t written = ::write(ends[1], option.data(), option.size());
        result = written == static_cast<ssize_t>(option.size()) ? 0 : -1;
        const int error = errno;
        ::close(ends[1]);
        errno = error;
    }
    ::explicit_bzero(option.data(), option.size());
    if (result != 0) return -1;
    return AboveStandardStreams(ends[0]);
}

}  // namespace

int ListConnections() {
    NetworkManagerLinks networkManager;
    LinuxRasApi ras(&networkManager);
    std::vector<ras::RasConn> records(1);
    uint32_t count = 0;
    uint32_t result = ras::kErrorBufferTooSmall;
    while (result == ras::kErrorBufferTooSmall) {
        records.assign(std::max<size_t>(count, 1), ras::RasConn{});
        records[0].dwSize = ras::kRasConnSize;
        uint32_t room = static_cast<uint32_t>(records.size()) * ras::kRasConnSize;
        result = ras.EnumConnections(records.data(), room, count);
    }
    if (result != ras::kSuccess || count == 0) {
        std::cout << "Aucune connexion active." << std::endl;
        return kDialerDone;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::cout << ras.TextFromSystemCodePage(records[i].szEntryName,
                                                sizeof records[i].szEntryName)
                  << '\n';
    }
    std::cout.flush();
    return kDialerDone;
}

int HangUp(const std::string& entry) {
    if (const std::optional<int> status = HangUpManaged(entry)) return *status;
    const std::vector<uint32_t> pppds = PppdsOf(entry);
    if (pppds.empty()) {
        std::cout << "Aucune connexion " << Quoted(entry) << " à raccrocher." << std::endl;
        return kDialerDone;
    }
    for (const uint32_t pid : pppds) {
        if (::kill(static_cast<pid_t>(pid), SIGTERM) != 0 && errno != ESRCH) {
            return Fail(
                errno == EPERM ? kDialerNoRight : kDialerSystemError,
                "impossible de raccrocher " + Quoted(entry) + " : " + SystemErrorText(errno));
        }
    }
    return kDialerDone;
}

int Dial(const std::string& entry, const std::string& login, std::string& password) {
    const std::string limit = " (" + std::to_string(kWordLimit) + " octets au plus)";
    if (login.size() > kWordLimit) return Fail(kDialerUsage, "identifiant trop long" + limit);
    if (const std::optional<int> status = DialManaged(entry, login, password)) return *status;
    if (const int status = CheckEntry(entry); status != kDialerDone) return status;
    if (password == kPasswordFromInput && !ReadPassword(STDIN_FILENO, password)) {
        return Fail(kDialerSystemError,
                    "impossible de lire le mot de passe : " + SystemErrorText(errno));
    }
    if (password.size() > kWordLimit) return Fail(kDialerUsage, "mot de passe trop long" + limit);
    int lock = -1;
    if (const int status = LockEntry(entry, lock); status != kDialerDone) return status;
    if (lock < 0 || !PppdsOf(entry).empty()) {
        std::cout << "Connexion " << Quoted(entry) << " déjà établie ou en cours." << std::endl;
        return kDialerDone;
    }
    const std::optional<std::filesystem::path> pppd = FindPppd();
    if (!pppd)
        return Fail(kDialerPppdMissing, "pppd introuvable (le paquet ppp est-il installé ?)");

    std::vector<std::string> arguments = {"pppd", "call", entry};
    if (!login.empty()) arguments.insert(arguments.end(), {"user", login});
    if (!password.empty()) {
        const int passwordFd = PasswordPipe(password);
        if (passwordFd < 0) {
            return Fail(kDialerSystemError,
                        "impossible de transmettre le mot de passe : " + SystemErrorText(errno));
        }
        arguments.insert(arguments.end(), {"file", "/dev/fd/" + std::to_string(passwordFd)});
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::cout.flush();
    ::execv(pppd->c_str(), argv.data());
    const int error = errno;
    return Fail(error == EACCES || error == EPERM ? kDialerNoRight : kDialerSystemError,
                "impossible de lancer " + pppd->string() + " : " + SystemErrorText(error) +
                    (error == EACCES ? " (il faut appartenir au groupe dip)" : ""));
}

}  // namespace velnix::linux_platform
