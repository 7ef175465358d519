#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

namespace velnix::linux_platform {

// A small file read again and again, as a sysfs attribute or a settings file: its descriptor is
// kept open while the path still leads to the same file, and each read takes the whole content
// afresh from offset 0, so that a read costs a look at the path and one pread instead of an open,
// a read and a close. A file written in place is read as it is now; a file replaced, removed or
// made anew is opened again (the kept descriptor holds the old file, so that no other file can
// take its number meanwhile).
//
// As ReadSmallFile, only a regular file (or a link to one) is read, opened without blocking.
class KeptFile {
  public:
    KeptFile() = default;
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;
    KeptFile(KeptFile&& other) noexcept;
    KeptFile& operator=(KeptFile&& other) noexcept;
    ~KeptFile();

    // The whole content of the file at `path` now, at most `limit` bytes, or nothing when there
    // is no regular file there or it cannot be read; errno then tells why (EISDIR or EINVAL for a
    // folder or another kind of file in its place).
    std::optional<std::string> Read(const std::string& path, size_t limit = 64 * 1024);

  private:
    void Close();

    int fd_ = -1;
    std::string path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace velnix::linux_platform
