#include "config/SettingsKeys.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "testsupport/FakeSettingsStore.h"

namespace velnix {
namespace {

using testing::FakeSettingsStore;

TEST(SettingsKeys, FreshProfileGivesTheDefaults) {
    FakeSettingsStore store;
    EXPECT_TRUE(ReadSetting(store, settings::kAutoReconnect));
    EXPECT_FALSE(ReadSetting(store, settings::kAutoMask));
    EXPECT_EQ(ReadSetting(store, settings::kLogin), "");
    EXPECT_EQ(ReadSetting(store, settings::kPassWord), "");
    EXPECT_EQ(ReadSetting(store, settings::kConnectionName), "");
    EXPECT_EQ(store.writes, 0) << "reading never writes";
}

TEST(SettingsKeys, EachKeyLivesUnderItsOwnApplicationAndSection) {
    FakeSettingsStore store;
    WriteSetting(store, settings::kAutoReconnect, false);
    WriteSetting(store, settings::kLogin, "jean");
    WriteSetting(store, settings::kPassWord, "secret");
    WriteSetting(store, settings::kConnectionName, "Fournisseur");
    WriteSetting(store, settings::kAutoMask, true);
    EXPECT_EQ(store.Get("Quorath_Software", "Tenaline", "AutoReconnect"), "False");
    EXPECT_EQ(store.Get("Quorath_Software", "Tenaline", "Login"), "jean");
    EXPECT_EQ(store.Get("Quorath_Software", "Tenaline", "PassWord"), "secret");
    EXPECT_EQ(store.Get("Quorath_Software", "Tenaline", "ConnectionName"), "Fournisseur");
    EXPECT_EQ(store.Get("Vorn", "Velnix", "AutoMask"), "True");
    EXPECT_FALSE(store.Has("Quorath_Software", "Tenaline", "AutoMask"));
}

TEST(SettingsKeys, TextIsStoredUnchangedAndReadOnEveryAccess) {
    FakeSettingsStore store;
    const std::string password = "  mot, de \"passe\" ; = ";
    WriteSetting(store, settings::kPassWord, password);
    EXPECT_EQ(ReadSetting(store, settings::kPassWord), password);
    store.Set("Quorath_Software", "Tenaline", "PassWord", "changé ailleurs");
    EXPECT_EQ(ReadSetting(store, settings::kPassWord), "changé ailleurs");
}

TEST(SettingsKeys, ACorruptBooleanIsATypeMismatch) {
    FakeSettingsStore store;
    store.Set("Vorn", "Velnix", "AutoMask", "peut-être");
    EXPECT_THROW(ReadSetting(store, settings::kAutoMask), TypeMismatchError);
}

TEST(SettingsKeys, StoreFailuresReachTheCaller) {
    FakeSettingsStore store;
    store.failWrites = true;
    EXPECT_THROW(WriteSetting(store, settings::kLogin, "x"), SettingsError);
    store.failReads = true;
    EXPECT_THROW(ReadSetting(store, settings::kAutoReconnect), SettingsError);
}

}  // namespace
}  // namespace velnix
