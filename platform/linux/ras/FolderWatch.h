#pragma once

#include <string>

namespace velnix::linux_platform {

// Tells whether a folder, or any file directly in it, may have changed since the last look,
// from the kernel's notifications (inotify): a look costs one read while nothing changes. The
// first look at a folder, a folder that cannot be watched (a link, none at all, no watch left)
// and lost notifications all count as changes.
class FolderWatch {
  public:
    FolderWatch() = default;
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    ~FolderWatch();

    // Whether `folder` may have changed since the last call; watches it from now on.
    bool Changed(const std::string& folder);

  private:
    void Watch();
    void Close();

    int fd_ = -1;     // the notifications
    int watch_ = -1;  // the folder's watch among them, or -1 while it has none
    std::string folder_;
};

}  // namespace velnix::linux_platform
