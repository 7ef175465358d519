#include "platform/linux/ras/FileStamp.h"

#include <sys/stat.h>

#include <ctime>

namespace velnix::linux_platform {

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.mode = status.st_mode;
    stamp.size = status.st_size;
    stamp.changedSeconds = status.st_ctim.tv_sec;
    stamp.changedNanoseconds = status.st_ctim.tv_nsec;
    return stamp;
}

bool IsSettled(const FileStamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const int64_t changedNs = stamp.changedSeconds * 1'000'000'000 + stamp.changedNanoseconds;
    const int64_t nowNs = int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
    return nowNs - changedNs >= 1'000'000'000;
}

}  // namespace velnix::linux_platform
