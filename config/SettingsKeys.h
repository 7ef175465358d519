#pragma once

#include <string>
#include <string_view>

#include "config/SettingsStore.h"

namespace velnix {

// One option of the program: where it lives in the settings store and what a reader gets
// when it is absent.
struct BoolSetting {
    std::string_view application;
    std::string_view section;
    std::string_view key;
    bool defaultValue;
};

struct TextSetting {
    std::string_view application;
    std::string_view section;
    std::string_view key;
};

// Every key the program uses. The connection options and the window option sit under
// different applications and sections.
namespace settings {
inline constexpr std::string_view kEngineApplication = "Quorath_Software";
inline constexpr std::string_view kEngineSection = "Tenaline";
inline constexpr std::string_view kWindowApplication = "Vorn";
inline constexpr std::string_view kWindowSection = "Velnix";

inline constexpr BoolSetting kAutoReconnect{kEngineApplication, kEngineSection, "AutoReconnect",
                                            true};
inline constexpr TextSetting kLogin{kEngineApplication, kEngineSection, "Login"};
inline constexpr TextSetting kPassWord{kEngineApplication, kEngineSection, "PassWord"};
inline constexpr TextSetting kConnectionName{kEngineApplication, kEngineSection, "ConnectionName"};
inline constexpr BoolSetting kAutoMask{kWindowApplication, kWindowSection, "AutoMask", false};
}  // namespace settings

// Typed accessors: each call reads or writes the store anew; nothing is cached.
bool ReadSetting(SettingsStore& store, const BoolSetting& setting);
void WriteSetting(SettingsStore& store, const BoolSetting& setting, bool value);
std::string ReadSetting(SettingsStore& store, const TextSetting& setting);
void WriteSetting(SettingsStore& store, const TextSetting& setting, std::string_view value);

}  // namespace velnix
