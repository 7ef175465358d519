#include "config/SettingsKeys.h"

#include "config/BooleanText.h"

namespace velnix {

bool ReadSetting(SettingsStore& store, const BoolSetting& setting) {
    return ParseBoolean(store.Read(setting.application, setting.section, setting.key,
                                   BooleanWord(setting.defaultValue)));
}

void WriteSetting(SettingsStore& store, const BoolSetting& setting, bool value) {
    store.Write(setting.application, setting.section, setting.key, BooleanWord(value));
}

std::string ReadSetting(SettingsStore& store, const TextSetting& setting) {
    return store.Read(setting.application, setting.section, setting.key, "");
}

void WriteSetting(SettingsStore& store, const TextSetting& setting, std::string_view value) {
    store.Write(setting.application, setting.section, setting.key, value);
}

}  // namespace velnix
