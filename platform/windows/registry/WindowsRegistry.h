#pragma once

#include <map>

#include "config/Registry.h"
#include "platform/windows/system/Handles.h"

namespace velnix::windows_platform {

// The registry over advapi32's W calls. The four 32-bit root values stand for the system's
// predefined keys (pointer-sized, sign-extended); every key opened gets a 32-bit id of its own
// until it is closed. Names and texts are the program's UTF-8: text data (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) is converted to and from UTF-16, and its sizes are counted in UTF-8 bytes, its
// NUL included; other data passes as it is. A name or a text to store that is not valid UTF-8
// gives kErrorInvalidParameter; stored text that is not valid UTF-16, kErrorReadFault. An id
// that is neither a root nor an open key gives kErrorInvalidHandle.
class WindowsRegistry : public reg::Registry {
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
    HKEY Find(reg::HKey key) const;  // nullptr for an unknown id

    std::map<reg::HKey, UniqueKey> opened_;
    reg::HKey lastId_ = 0;
};

}  // namespace velnix::windows_platform
