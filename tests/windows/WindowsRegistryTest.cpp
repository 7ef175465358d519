// modRegistry's calls and the system facts over the registry and the file system of Wine's
// prefix. Each test writes values of its own only.
#include "platform/windows/registry/WindowsRegistry.h"

#include <gtest/gtest.h>

#include <string>

#include "config/RegistryKeys.h"
#include "config/modRegistry.h"
#include "platform/windows/registry/WindowsSystemFacts.h"
#include "platform/windows/system/WideText.h"
#include "tests/windows/RegistryText.h"
#include "tests/windows/ScratchFolder.h"

namespace velnix::windows_platform {
namespace {

TEST(WindowsRegistryTest, TheStartEntryIsWrittenFoundAndDeleted) {
    WindowsRegistry registry;
    WindowsShortPath shortPath;
    WindowsVersion version;
    WindowsRunningProgram program;
    modRegistry facts(registry, shortPath, version, program);
    ASSERT_TRUE(facts.IsWindowsNT());

    facts.BuildExePath();
    EXPECT_TRUE(facts.ExePath.ends_with("\\windows_registry_tests.exe")) << facts.ExePath;
    EXPECT_NE(GetFileAttributesW(Wide(facts.ExePath).c_str()), INVALID_FILE_ATTRIBUTES);

    // The machine's Run key, under a value name of this test's own.
    const std::string name = OwnKeyName();
    const std::wstring runKey = Wide(startentry::kRunKey);
    facts.SetStringValue(reg::kHKeyLocalMachine, startentry::kRunKey, name, facts.ExePath);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, runKey, Wide(name)), Wide(facts.ExePath));
    std::string found;
    EXPECT_EQ(facts.QueryValue(reg::kHKeyLocalMachine, startentry::kRunKey, name, found),
              reg::kErrorSuccess);
    EXPECT_EQ(found, facts.ExePath);

    EXPECT_EQ(facts.DeleteValue(reg::kHKeyLocalMachine, startentry::kRunKey, name),
              reg::kErrorSuccess);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, runKey, Wide(name)), std::nullopt);
    EXPECT_EQ(facts.QueryValue(reg::kHKeyLocalMachine, startentry::kRunKey, name, found),
              reg::kErrorFileNotFound);
    EXPECT_EQ(facts.QueryValue(reg::kHKeyLocalMachine, "Software\\" + name, name, found),
              reg::kErrorFileNotFound);  // no such key
}

TEST(WindowsRegistryTest, TextIsStoredInUnicodeAndMeasuredInUtf8Bytes) {
    const std::string path = "Software\\" + OwnKeyName();
    ScratchKey cleanUp(Wide(path));
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_READ,
                              nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);

    WindowsRegistry registry;
    reg::HKey key = 0;
    ASSERT_EQ(registry.OpenKey(reg::kHKeyCurrentUser, path, reg::kKeyWriteAccess, key),
              reg::kErrorSuccess);
    const std::string text = "Numéris €";  // 12 bytes and the NUL
    ASSERT_EQ(registry.SetValue(key, "Texte", reg::kRegSz,
                                reinterpret_cast<const uint8_t*>(text.c_str()), 13),
              reg::kErrorSuccess);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, Wide(path), L"Texte"), L"Numéris €");

    uint32_t type = reg::kRegNone;
    uint32_t size = 0;
    EXPECT_EQ(registry.QueryValue(key, "TEXTE", type, nullptr, size), reg::kErrorSuccess);
    EXPECT_EQ(type, reg::kRegSz);
    EXPECT_EQ(size, 13u);
    uint8_t data[13] = {};
    size = 12;
    EXPECT_EQ(registry.QueryValue(key, "Texte", type, data, size), reg::kErrorMoreData);
    EXPECT_EQ(size, 13u);
    EXPECT_EQ(registry.QueryValue(key, "Texte", type, data, size), reg::kErrorSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), text + '\0');

    EXPECT_EQ(registry.CloseKey(key), reg::kErrorSuccess);
    EXPECT_EQ(registry.CloseKey(key), reg::kErrorInvalidHandle);
}

TEST(WindowsSystemFactsTest, AFolderWithBlanksHasAShortFormWithout) {
    ScratchFolder folder;
    const std::filesystem::path longFolder = folder.Path(L"Dossier à espaces");
    std::filesystem::create_directory(longFolder);
    const std::string longPath = Utf8FromWide(longFolder.wstring()).value();

    WindowsShortPath shortPath;
    char buffer[300] = {};
    const uint32_t length = shortPath.ShortPathOf(longPath, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    const std::string shortForm(buffer, length);
    EXPECT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    EXPECT_TRUE(std::filesystem::is_directory(Wide(shortForm))) << shortForm;
    EXPECT_EQ(shortPath.ShortPathOf(longPath, buffer, length), length + 1);  // the room needed
    EXPECT_EQ(shortPath.ShortPathOf(longPath + "\\absent", buffer, sizeof buffer), 0u);
}

}  // namespace
}  // namespace velnix::windows_platform
