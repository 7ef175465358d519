#include "platform/windows/com/ServerRegistration.h"

#include <vector>

#include "platform/windows/com/ProgramFile.h"
#include "platform/windows/system/Handles.h"

namespace velnix::windows_platform {

namespace {

constexpr wchar_t kClsid[] = L"{AC277015-7F55-468D-A277-4E71184CE45F}";
constexpr wchar_t kDualIid[] = L"{798EF082-AFC8-4700-BC84-DBD347F87069}";
constexpr wchar_t kEventsDiid[] = L"{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}";
constexpr wchar_t kLibid[] = L"{FCB37509-643D-435B-8505-49E70CAA5131}";
// The type library's marshaller, for both interfaces.
constexpr wchar_t kTypeLibMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kProgId[] = L"Velnix.InternetTenaline";
constexpr wchar_t kVersionedProgId[] = L"Velnix.InternetTenaline.1";
constexpr wchar_t kClassName[] = L"InternetTenaline";

// One value below the classes' root: a key, a value name (empty: the key's default) and text.
struct Entry {
    std::wstring key;
    std::wstring name;
    std::wstring value;
};

std::vector<Entry> Entries(const std::wstring& program) {
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    const std::wstring clsid = std::wstring(L"CLSID\\") + kClsid;
    const std::wstring library = std::wstring(L"TypeLib\\") + kLibid + L"\\1.0";
    std::vector<Entry> entries = {
        {clsid, L"", kClassName},
        {clsid + L"\\LocalServer32", L"", L"\"" + program + L"\""},
        {clsid + L"\\ProgID", L"", kVersionedProgId},
        {clsid + L"\\VersionIndependentProgID", L"", kProgId},
        {clsid + L"\\TypeLib", L"", kLibid},
        {clsid + L"\\Version", L"", L"1.0"},
        {kProgId, L"", kClassName},
        {std::wstring(kProgId) + L"\\CLSID", L"", kClsid},
        {std::wstring(kProgId) + L"\\CurVer", L"", kVersionedProgId},
        {kVersionedProgId, L"", kClassName},
        {std::wstring(kVersionedProgId) + L"\\CLSID", L"", kClsid},
        {library, L"", L"Velnix"},
        {library + L"\\0\\win64", L"", program},
        {library + L"\\FLAGS", L"", L"0"},
        {library + L"\\HELPDIR", L"", folder},
    };
    const std::pair<const wchar_t*, const wchar_t*> interfaces[] = {
        {kDualIid, L"_InternetTenaline"}, {kEventsDiid, L"__InternetTenaline"}};
    for (const auto& [iid, name] : interfaces) {
        const std::wstring key = std::wstring(L"Interface\\") + iid;
        entries.push_back({key, L"", name});
        entries.push_back({key + L"\\ProxyStubClsid32", L"", kTypeLibMarshaller});
        entries.push_back({key + L"\\ProxyStubClsid", L"", kTypeLibMarshaller});
        entries.push_back({key + L"\\TypeLib", L"", kLibid});
        entries.push_back({key + L"\\TypeLib", L"Version", L"1.0"});
    }
    return entries;
}

// The keys whose whole trees RegisterServer made.
std::vector<std::wstring> TopKeys() {
    return {std::wstring(L"CLSID\\") + kClsid,
            kProgId,
            kVersionedProgId,
            std::wstring(L"Interface\\") + kDualIid,
            std::wstring(L"Interface\\") + kEventsDiid,
            std::wstring(L"TypeLib\\") + kLibid};
}

}  // namespace

HKEY ClassesRootForThisProcess() {
    UniqueHandle token;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()) &&
        GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated != 0;
    return elevated ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

LSTATUS RegisterServer(HKEY root, const std::wstring& program) {
    UniqueKey classes;
    LSTATUS status = RegCreateKeyExW(root, L"Software\\Classes", 0, nullptr, 0, KEY_WRITE, nullptr,
                                     classes.Receive(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    for (const Entry& entry : Entries(program)) {
        UniqueKey key;
        status = RegCreateKeyExW(classes.Get(), entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                 nullptr, key.Receive(), nullptr);
        if (status != ERROR_SUCCESS) return status;
        status = RegSetValueExW(key.Get(), entry.name.empty() ? nullptr : entry.name.c_str(), 0,
                                REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()),
                                static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

LSTATUS UnregisterServer(HKEY root) {
    UniqueKey classes;
    LSTATUS status =
        RegOpenKeyExW(root, L"Software\\Classes", 0, KEY_READ | DELETE, classes.Receive());
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    for (const std::wstring& key : TopKeys()) {
        status = RegDeleteTreeW(classes.Get(), key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
    }
    return ERROR_SUCCESS;
}

int RegisterThisProgram(bool enter) {
    const HKEY root = ClassesRootForThisProcess();
    if (!enter) return static_cast<int>(UnregisterServer(root));
    const std::wstring program = ProgramFile();
    if (program.empty()) return static_cast<int>(GetLastError());
    return static_cast<int>(RegisterServer(root, program));
}

}  // namespace velnix::windows_platform
