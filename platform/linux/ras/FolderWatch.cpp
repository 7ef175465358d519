#include "platform/linux/ras/FolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace velnix::linux_platform {

namespace {

constexpr uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY |
                              IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderWatch::~FolderWatch() { Close(); }

void FolderWatch::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    watch_ = -1;
}

void FolderWatch::Watch() {
    if (watch_ >= 0) ::inotify_rm_watch(fd_, watch_);
    watch_ = ::inotify_add_watch(fd_, folder_.c_str(), kChanges | IN_ONLYDIR | IN_DONT_FOLLOW);
}

bool FolderWatch::Changed(const std::string& folder) {
    if (folder != folder_) {
        Close();
        folder_ = folder;
    }
    if (fd_ < 0) fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return true;
    if (watch_ < 0) {
        Watch();
        return true;
    }
    bool changed = false;
    bool watchGone = false;
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t got = ::read(fd_, events, sizeof events);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        changed = true;
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, events + at, sizeof event);
            // Notifications lost, or the folder removed, moved away or unmounted.
            constexpr uint32_t kFolderGone =
                IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;
            watchGone = watchGone || (event.mask & IN_Q_OVERFLOW) != 0 ||
                        (event.wd == watch_ && (event.mask & kFolderGone) != 0);
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
        if (static_cast<size_t>(got) < sizeof events - sizeof(inotify_event) - NAME_MAX - 1) break;
    }
    if (watchGone) Watch();  // anew, before the caller looks at what is there now
    return changed;
}

}  // namespace velnix::linux_platform
