#pragma once

#include <string>
#include <string_view>

namespace velnix {

// The per-user settings store: text values addressed by application, section and key.
// Both operations throw SettingsError when the store cannot be read or written; nothing is
// cached, so a value written by another process is seen by the next read.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or `defaultValue` when the key does not exist.
    virtual std::string Read(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view defaultValue) = 0;

    // Creates the application, section and key as needed and replaces any previous value.
    virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
};

}  // namespace velnix
