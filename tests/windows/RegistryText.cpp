#include "tests/windows/RegistryText.h"

namespace velnix::windows_platform {

std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& path,
                                         const std::wstring& name) {
    wchar_t text[1024];
    DWORD bytes = sizeof text;
    if (RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

std::string OwnKeyName() { return "VelnixTests-" + std::to_string(GetCurrentProcessId()); }

}  // namespace velnix::windows_platform
