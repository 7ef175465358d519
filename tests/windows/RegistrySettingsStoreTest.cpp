// The settings store in the registry of Wine's prefix, each test under a key of its own.
#include "platform/windows/settings/RegistrySettingsStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Errors.h"
#include "tests/windows/RegistryText.h"
#include "tests/windows/ScratchFolder.h"

namespace velnix::windows_platform {
namespace {

using ::testing::HasSubstr;

class RegistrySettingsStoreTest : public ::testing::Test {
  protected:
    const std::string application_ = OwnKeyName();
    const std::wstring section_ = L"Software\\" + Wide(application_) + L"\\Tenaline";
    ScratchKey cleanUp_{L"Software\\" + Wide(application_)};
    RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, ValuesAreStoredAsTheyStandInTheUsersRegistry) {
    const std::vector<std::string> values = {
        "",
        "  espaces de part et d'autre  ",
        R"(guillemets "doubles" et 'simples' \)",
        "Numéris é€ Ωμέγα 𝄞",
    };
    for (const std::string& value : values) {
        store_.Write(application_, "Tenaline", "PassWord", value);
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, section_, L"PassWord"), Wide(value));
        EXPECT_EQ(store_.Read(application_, "Tenaline", "PassWord", "défaut"), value);
    }
}

TEST_F(RegistrySettingsStoreTest, MissingValuesReadAsTheDefaultAndEveryReadIsFresh) {
    EXPECT_EQ(store_.Read(application_, "Tenaline", "Login", "défaut"), "défaut");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, section_.c_str(), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);  // a read creates nothing

    store_.Write(application_, "Tenaline", "Login", "jean");
    EXPECT_EQ(store_.Read(application_, "Tenaline", "PassWord", ""), "");
    // Another program changes the value: the next read sees it, whatever the names' case.
    const std::wstring changed = L"marie-hélène";
    RegSetKeyValueW(HKEY_CURRENT_USER, section_.c_str(), L"LOGIN", REG_SZ, changed.c_str(),
                    static_cast<DWORD>((changed.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(store_.Read(application_, "tenaline", "login", ""), "marie-hélène");
}

TEST_F(RegistrySettingsStoreTest, AValueThatIsNotTextFailsNamingItsKey) {
    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, section_.c_str(), L"AutoReconnect", REG_DWORD, &number,
                    sizeof number);
    try {
        store_.Read(application_, "Tenaline", "AutoReconnect", "True");
        FAIL() << "read";
    } catch (const SettingsError& error) {
        EXPECT_THAT(error.what(),
                    HasSubstr("Impossible de lire « AutoReconnect » dans HKEY_CURRENT_USER\\"
                              "Software\\" +
                              application_ + "\\Tenaline : "));
    }
}

}  // namespace
}  // namespace velnix::windows_platform
