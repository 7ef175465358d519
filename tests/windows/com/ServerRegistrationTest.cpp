// The keys /RegServer enters, here under HKEY_CURRENT_USER\Software\Classes (a user's own
// registration), and the switches the program takes from the automation machinery.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/com/ServerRegistration.h"
#include "platform/windows/com/ServerSwitches.h"
#include "platform/windows/system/Handles.h"
#include "tests/windows/com/RegisteredKeys.h"

namespace velnix::windows_platform {
namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Velnix\\velnix.exe";

struct Value {
    const wchar_t* key;
    const wchar_t* name;  // null: the key's default value
    const wchar_t* text;
};

// Every value of the class's registration.
const Value kLayout[] = {
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}", nullptr, L"InternetTenaline"},
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}\\LocalServer32", nullptr,
     L"\"C:\\Program Files\\Velnix\\velnix.exe\""},
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}\\ProgID", nullptr,
     L"Velnix.InternetTenaline.1"},
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}\\VersionIndependentProgID", nullptr,
     L"Velnix.InternetTenaline"},
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}\\TypeLib", nullptr,
     L"{FCB37509-643D-435B-8505-49E70CAA5131}"},
    {L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}\\Version", nullptr, L"1.0"},
    {L"Velnix.InternetTenaline", nullptr, L"InternetTenaline"},
    {L"Velnix.InternetTenaline\\CLSID", nullptr, L"{AC277015-7F55-468D-A277-4E71184CE45F}"},
    {L"Velnix.InternetTenaline\\CurVer", nullptr, L"Velnix.InternetTenaline.1"},
    {L"Velnix.InternetTenaline.1", nullptr, L"InternetTenaline"},
    {L"Velnix.InternetTenaline.1\\CLSID", nullptr, L"{AC277015-7F55-468D-A277-4E71184CE45F}"},
    {L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}", nullptr, L"_InternetTenaline"},
    {L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}\\ProxyStubClsid32", nullptr,
     L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}\\ProxyStubClsid", nullptr,
     L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}\\TypeLib", nullptr,
     L"{FCB37509-643D-435B-8505-49E70CAA5131}"},
    {L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}\\TypeLib", L"Version", L"1.0"},
    {L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}", nullptr, L"__InternetTenaline"},
    {L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}\\ProxyStubClsid32", nullptr,
     L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}\\ProxyStubClsid", nullptr,
     L"{00020424-0000-0000-C000-000000000046}"},
    {L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}\\TypeLib", nullptr,
     L"{FCB37509-643D-435B-8505-49E70CAA5131}"},
    {L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}\\TypeLib", L"Version", L"1.0"},
    {L"TypeLib\\{FCB37509-643D-435B-8505-49E70CAA5131}\\1.0", nullptr, L"Velnix"},
    {L"TypeLib\\{FCB37509-643D-435B-8505-49E70CAA5131}\\1.0\\0\\win64", nullptr, kProgram},
    {L"TypeLib\\{FCB37509-643D-435B-8505-49E70CAA5131}\\1.0\\FLAGS", nullptr, L"0"},
    {L"TypeLib\\{FCB37509-643D-435B-8505-49E70CAA5131}\\1.0\\HELPDIR", nullptr,
     L"C:\\Program Files\\Velnix"},
};

std::wstring Classes(const wchar_t* key) { return std::wstring(L"Software\\Classes\\") + key; }

// The number of values in a key and all its subkeys.
size_t ValuesBelow(HKEY parent, const std::wstring& path) {
    UniqueKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return 0;
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    size_t count = values;
    for (DWORD i = 0; i < subkeys; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            count += ValuesBelow(key.Get(), name);
        }
    }
    return count;
}

TEST(ServerRegistrationTest, AUsersRegistrationHoldsTheLayoutAndGoesWhole) {
    ASSERT_EQ(RegisterServer(HKEY_CURRENT_USER, kProgram), ERROR_SUCCESS);
    for (const Value& value : kLayout) {
        wchar_t text[512] = L"";
        DWORD bytes = sizeof text;
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, Classes(value.key).c_str(), value.name,
                               RRF_RT_REG_SZ, nullptr, text, &bytes),
                  ERROR_SUCCESS);
        EXPECT_STREQ(text, value.text);
    }
    size_t values = 0;
    for (const wchar_t* key : kRegisteredTopKeys)
        values += ValuesBelow(HKEY_CURRENT_USER, Classes(key));
    EXPECT_EQ(values, std::size(kLayout));  // nothing more

    ASSERT_EQ(UnregisterServer(HKEY_CURRENT_USER), ERROR_SUCCESS);
    for (const wchar_t* key : kRegisteredTopKeys) {
        UniqueKey left;
        EXPECT_EQ(
            RegOpenKeyExW(HKEY_CURRENT_USER, Classes(key).c_str(), 0, KEY_READ, left.Receive()),
            ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(UnregisterServer(HKEY_CURRENT_USER), ERROR_SUCCESS);  // once more: nothing to do
}

TEST(ServerSwitchesTest, TheAutomationSwitchesAloneInAnyCaseWithEitherMark) {
    const struct {
        std::vector<std::wstring_view> arguments;
        ServerSwitch found;
    } cases[] = {
        {{}, ServerSwitch::kNone},
        {{L"-Embedding"}, ServerSwitch::kEmbedding},
        {{L"/embedding"}, ServerSwitch::kEmbedding},
        {{L"/RegServer"}, ServerSwitch::kRegServer},
        {{L"-REGSERVER"}, ServerSwitch::kRegServer},
        {{L"/UnregServer"}, ServerSwitch::kUnregServer},
        {{L"RegServer", L"/Embed", L"--RegServer", L"/RegServer2"}, ServerSwitch::kNone},
        {{L"fichier.txt", L"/unregserver"}, ServerSwitch::kUnregServer},
    };
    for (const auto& given : cases) {
        EXPECT_EQ(FindServerSwitch(given.arguments), given.found)
            << given.arguments.size() << " argument(s)";
    }
}

}  // namespace
}  // namespace velnix::windows_platform
