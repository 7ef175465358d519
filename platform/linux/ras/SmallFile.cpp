#include "platform/linux/ras/SmallFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace velnix::linux_platform {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path) {
    constexpr size_t kLimit = 64 * 1024;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    std::string content;
    char chunk[4096];
    bool failed = false;
    while (content.size() < kLimit) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failed = true;
        if (got <= 0) break;
        content.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
    if (failed) return std::nullopt;
    return content;
}

}  // namespace velnix::linux_platform
