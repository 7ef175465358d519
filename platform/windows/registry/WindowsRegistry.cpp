#include "platform/windows/registry/WindowsRegistry.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The value's type and data as the system holds them.
LSTATUS ReadValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data) {
    LSTATUS status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {  // the value may grow between the two calls
        DWORD bytes = 0;
        status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes);
        if (status != ERROR_SUCCESS) return status;
        data.assign(bytes, 0);
        status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &bytes);
        data.resize(bytes);
    }
    return status;
}

}  // namespace

HKEY WindowsRegistry::Find(reg::HKey key) const {
    switch (key) {
        case reg::kHKeyClassesRoot:
            return HKEY_CLASSES_ROOT;
        case reg::kHKeyCurrentUser:
            return HKEY_CURRENT_USER;
        case reg::kHKeyLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case reg::kHKeyUsers:
            return HKEY_USERS;
        default:
            break;
    }
    const auto found = opened_.find(key);
    return found != opened_.end() ? found->second.Get() : nullptr;
}

int32_t WindowsRegistry::OpenKey(reg::HKey key, std::string_view subKey, uint32_t access,
                                 reg::HKey& result) {
    const HKEY parent = Find(key);
    if (parent == nullptr) return reg::kErrorInvalidHandle;
    const std::optional<std::wstring> path = WideFromUtf8(subKey);
    if (!path) return reg::kErrorInvalidParameter;
    UniqueKey opened;
    const LSTATUS status = RegOpenKeyExW(parent, path->c_str(), 0, access, opened.Receive());
    if (status != ERROR_SUCCESS) return status;
    do {
        lastId_ = lastId_ + 1 < reg::kHKeyClassesRoot ? lastId_ + 1 : 1;  // below the roots
    } while (opened_.contains(lastId_));
    opened_.emplace(lastId_, std::move(opened));
    result = lastId_;
    return reg::kErrorSuccess;
}

int32_t WindowsRegistry::QueryValue(reg::HKey key, std::string_view valueName, uint32_t& type,
                                    uint8_t* data, uint32_t& size) {
    const HKEY opened = Find(key);
    if (opened == nullptr) return reg::kErrorInvalidHandle;
    const std::optional<std::wstring> name = WideFromUtf8(valueName);
    if (!name) return reg::kErrorInvalidParameter;
    DWORD nativeType = REG_NONE;
    std::vector<BYTE> stored;
    const LSTATUS status = ReadValue(opened, name->c_str(), nativeType, stored);
    if (status != ERROR_SUCCESS) return status;
    type = nativeType;

    std::string bytes(stored.begin(), stored.end());
    if (IsText(nativeType)) {
        std::wstring text(stored.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), stored.data(), text.size() * sizeof(wchar_t));
        std::optional<std::string> utf8 = Utf8FromWide(text);
        if (!utf8) return reg::kErrorReadFault;
        bytes = std::move(*utf8);
    }
    const auto needed = static_cast<uint32_t>(bytes.size());
    if (data != nullptr && needed > size) {
        size = needed;
        return reg::kErrorMoreData;
    }
    if (data != nullptr) std::memcpy(data, bytes.data(), needed);
    size = needed;
    return reg::kErrorSuccess;
}

int32_t WindowsRegistry::SetValue(reg::HKey key, std::string_view valueName, uint32_t type,
                                  const uint8_t* data, uint32_t size) {
    const HKEY opened = Find(key);
    if (opened == nullptr) return reg::kErrorInvalidHandle;
    const std::optional<std::wstring> name = WideFromUtf8(valueName);
    if (!name) return reg::kErrorInvalidParameter;
    if (!IsText(type)) return RegSetValueExW(opened, name->c_str(), 0, type, data, size);
    const std::optional<std::wstring> text =
        WideFromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text) return reg::kErrorInvalidParameter;
    return RegSetValueExW(opened, name->c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(text->data()),
                          static_cast<DWORD>(text->size() * sizeof(wchar_t)));
}

int32_t WindowsRegistry::DeleteValue(reg::HKey key, std::string_view valueName) {
    const HKEY opened = Find(key);
    if (opened == nullptr) return reg::kErrorInvalidHandle;
    const std::optional<std::wstring> name = WideFromUtf8(valueName);
    if (!name) return reg::kErrorInvalidParameter;
    return RegDeleteValueW(opened, name->c_str());
}

int32_t WindowsRegistry::CloseKey(reg::HKey key) {
    const auto found = opened_.find(key);
    if (found == opened_.end()) return reg::kErrorInvalidHandle;
    const LSTATUS status = RegCloseKey(found->second.Release());
    opened_.erase(found);
    return status;
}

}  // namespace velnix::windows_platform
