#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velnix::linux_platform {

// What tells one version of a file from the next without reading it: which file it is, its type,
// size and the time its content or status last changed. A file written again, given other
// rights, replaced or removed and made anew gets another stamp; a process's files under /proc
// get another with each process.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    off_t size = 0;
    int64_t changedSeconds = 0;  // status change time, which every change of content moves too
    int64_t changedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` (links followed), or nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

// Whether a stamp taken just now can vouch for the file from now on. The system's file times
// move by clock ticks: a second change within the tick of the first would leave the stamp as it
// is, so only a file unchanged for a second already is taken at its stamp's word.
bool IsSettled(const FileStamp& stamp);

}  // namespace velnix::linux_platform
