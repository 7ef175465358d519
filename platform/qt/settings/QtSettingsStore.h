#pragma once

#include <map>
#include <mutex>

#include <QString>

#include "config/SettingsStore.h"
#include "platform/linux/ras/KeptFile.h"
#include "platform/qt/settings/IniText.h"

namespace velnix::qt_platform {

// The per-user settings store: one file per application, "<folder>/<application>.ini", in the
// user's XDG configuration folder by default. The password is kept there in plain text, so the
// folder is created readable by the user only (0700) and every file is written 0600.
//
// Every read takes the file's whole content anew (a write by another process is seen at once),
// through a descriptor kept open while the path leads to the same file; a write locks
// the file, reads it, changes the line of the one value and replaces the file atomically, every
// other byte kept. A store that cannot be read or written throws SettingsError with a French
// message naming the file; so does a file that is no settings text (binary bytes, text that is
// not UTF-8, more than 1 MiB), which is never replaced.
class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();  // $XDG_CONFIG_HOME/Velnix (or ~/.config/Velnix)
    explicit QtSettingsStore(QString folder);

    std::string Read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view defaultValue) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;

    QString FilePath(std::string_view application) const;

  private:
    IniText ReadFile(const QString& path);

    QString folder_;
    std::mutex filesLock_;
    std::map<QString, linux_platform::KeptFile> files_;  // by path
};

}  // namespace velnix::qt_platform
