#pragma once

#include <map>

#include "config/Registry.h"

namespace velnix::linux_platform {

// The registry stand-in: the few keys the program uses, mapped onto their Linux equivalents
// under the system root (VELNIX_ROOT). Every other key does not exist.
//
// HKLM\Software\Microsoft\Windows\CurrentVersion\Run is the machine-wide autostart folder
// /etc/xdg/autostart. Its value "Velnix" (REG_SZ, a command line by the Windows rules) is the
// desktop entry Velnix.desktop, whose Exec holds the command; an entry with Hidden=true counts
// as absent. Opening the key to change it needs the right to write into the folder (else 5, as
// for a user without administrator rights); other types than REG_SZ are refused (87). Other
// value names under the key are not the program's and are never touched: they read as absent
// (2), and setting one is refused (5).
//
// HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO, read-only: its value "PATH" is the command of
// the first desktop system-information tool installed, and absent when none is.
// "SOFTWARE\Microsoft\Shared Tools Location" does not exist: there is no MSINFO32.EXE to find.
class LinuxRegistry : public reg::Registry {
  public:
    int32_t OpenKey(reg::HKey key, std::string_view subKey, uint32_t access,
                    reg::HKey& result) override;
    int32_t QueryValue(reg::HKey key, std::string_view valueName, uint32_t& type, uint8_t* data,
                       uint32_t& size) override;
    int32_t SetValue(reg::HKey key, std::string_view valueName, uint32_t type, const uint8_t* data,
                     uint32_t size) override;
    int32_t DeleteValue(reg::HKey key, std::string_view valueName) override;
    int32_t CloseKey(reg::HKey key) override;

  private:
    enum class Mapped { Autostart, SysInfo };
    struct OpenedKey {
        Mapped mapped;
        uint32_t access;
    };

    std::map<reg::HKey, OpenedKey> opened_;
    reg::HKey nextHandle_ = 0x100;
};

}  // namespace velnix::linux_platform
