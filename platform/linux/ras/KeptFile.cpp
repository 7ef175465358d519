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
    // One pread takes a small file whole, as it is now.
    std::string content;
    char chunk[4096];
    while (content.size() < limit) {
        const size_t wanted = std::min(sizeof chunk, limit - content.size());
        const ssize_t got = ::pread(fd_, chunk, wanted, static_cast<off_t>(content.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            Close();  // a sysfs attribute whose interface is gone
            return std::nullopt;
        }
        content.append(chunk, static_cast<size_t>(got));
        if (static_cast<size_t>(got) < wanted) break;  // a regular file's end
    }
    return content;
}

}  // namespace velnix::linux_platform
