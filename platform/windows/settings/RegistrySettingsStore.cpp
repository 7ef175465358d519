#include "platform/windows/settings/RegistrySettingsStore.h"

#include <windows.h>

#include <optional>

#include "common/Errors.h"
#include "platform/windows/system/Handles.h"
#include "platform/windows/system/SystemMessage.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

// One value of the store, named as the user finds it in the registry editor.
struct Place {
    Place(std::string_view application, std::string_view section, std::string_view key)
        : path("Software\\" + std::string(application) + "\\" + std::string(section)), name(key) {}

    [[noreturn]] void Fail(const char* what, const std::string& reason) const {
        throw SettingsError(std::string(what) + " « " + name + " » dans HKEY_CURRENT_USER\\" +
                            path + " : " + reason);
    }
    [[noreturn]] void Fail(const char* what, LSTATUS status) const {
        Fail(what, FrenchSystemMessage(static_cast<uint32_t>(status)));
    }

    // The path and the name as the system takes them.
    std::pair<std::wstring, std::wstring> Wide(const char* what) const {
        std::optional<std::wstring> widePath = WideFromUtf8(path);
        std::optional<std::wstring> wideName = WideFromUtf8(name);
        if (!widePath || !wideName) Fail(what, "nom illisible (texte UTF-8 invalide)");
        return {std::move(*widePath), std::move(*wideName)};
    }

    std::string path;
    std::string name;
};

constexpr const char* kReading = "Impossible de lire";
constexpr const char* kWriting = "Impossible d'enregistrer";

}  // namespace

std::string RegistrySettingsStore::Read(std::string_view application, std::string_view section,
                                        std::string_view key, std::string_view defaultValue) {
    const Place place(application, section, key);
    const auto [path, name] = place.Wide(kReading);
    std::wstring text;
    LSTATUS status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {  // the value may grow between the two calls
        DWORD bytes = 0;
        status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                              nullptr, &bytes);
        if (status != ERROR_SUCCESS) break;
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                              text.data(), &bytes);
    }
    if (status == ERROR_FILE_NOT_FOUND) return std::string(defaultValue);
    if (status != ERROR_SUCCESS) place.Fail(kReading, status);
    std::optional<std::string> value = Utf8FromWide(FieldText(text.c_str(), text.size()));
    if (!value) place.Fail(kReading, "texte illisible");
    return *value;
}

void RegistrySettingsStore::Write(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view value) {
    const Place place(application, section, key);
    const auto [path, name] = place.Wide(kWriting);
    const std::optional<std::wstring> text = WideFromUtf8(value);
    if (!text) place.Fail(kWriting, "valeur illisible (texte UTF-8 invalide)");
    UniqueKey opened;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, opened.Receive(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(opened.Get(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text->c_str()),
                                static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS) place.Fail(kWriting, status);
}

}  // namespace velnix::windows_platform
