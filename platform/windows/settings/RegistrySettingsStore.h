#pragma once

#include "config/SettingsStore.h"

namespace velnix::windows_platform {

// The per-user settings store: value <key> (REG_SZ) of the key
// HKEY_CURRENT_USER\Software\<application>\<section>, names matched whatever their letter case.
// Every access goes to the registry (a value changed by another program is seen at the next
// read); writing creates the keys it needs. A value that cannot be read or written, or that is
// not of type REG_SZ, throws SettingsError with a French message naming the key.
class RegistrySettingsStore : public SettingsStore {
  public:
    std::string Read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view defaultValue) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
};

}  // namespace velnix::windows_platform
