#include "platform/linux/ras/SmallFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velnix::linux_platform {

std::optional<std::string> ReadSmallFile(const std::string& path) {
    constexpr size_t kLimit = 64 * 1024;
    // The look before the open spares a device the side effects of an open; the look after it
    // catches a file replaced in between.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    bool failed = false;
    while (content.size() < kLimit) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failed = true;
        if (got <= 0) break;
        content.append(chunk, static_cast<size_t>(got));
        if (static_cast<size_t>(got) < sizeof chunk) break;  // a regular file's end
    }
    ::close(fd);
    if (failed) return std::nullopt;
    return content;
}

}  // namespace velnix::linux_platform
