#include "platform/linux/ras/KeptFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace velnix::linux_platform {

namespace {

bool IsRegular(const struct stat& status) {
    if (S_ISREG(status.st_mode)) return true;
    errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return false;
}

}  // namespace

KeptFile::KeptFile(KeptFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      device_(other.device_),
      inode_(other.inode_) {}

KeptFile& KeptFile::operator=(KeptFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

KeptFile::~KeptFile() { Close(); }

void KeptFile::Close() {
    const int reason = errno;  // why the read failed, if it did
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    errno = reason;
}

std::optional<std::string> KeptFile::Read(const std::string& path, size_t limit) {
    // The look before the open spares a device the side effects of an open; the look after it
    // catches a file replaced in between.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !IsRegular(status)) {
        Close();
        return std::nullopt;
    }
    if (fd_ < 0 || path != path_ || status.st_dev != device_ || status.st_ino != inode_) {
        Close();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) return std::nullopt;
        if (::fstat(fd, &status) != 0 || !IsRegular(status)) {
            ::close(fd);
            return std::nullopt;
        }
        fd_ = fd;
        path_ = path;
        device_ = status.st_dev;
        inode_ = status.st_ino;
    }
    // One pread takes the whole file when it is no longer than it said (sysfs says 4096).
    std::string content(std::min(limit, std::max<size_t>(4096, size_t(status.st_size) + 1)), '\0');
    size_t got = 0;
    while (got < content.size()) {
        const ssize_t part =
            ::pread(fd_, content.data() + got, content.size() - got, static_cast<off_t>(got));
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) {
            Close();  // a sysfs attribute whose interface is gone
            return std::nullopt;
        }
        if (part == 0) break;
        got += static_cast<size_t>(part);
        if (got < content.size()) break;  // a regular file's end
        if (content.size() < limit) content.resize(std::min(limit, content.size() * 2));
    }
    content.resize(got);
    return content;
}

}  // namespace velnix::linux_platform
