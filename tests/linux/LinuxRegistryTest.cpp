#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/modRegistry.h"
#include "platform/linux/registry/DesktopEntry.h"
#include "platform/linux/registry/LinuxRegistry.h"
#include "platform/linux/registry/LinuxSystemFacts.h"
#include "platform/linux/registry/StartCommand.h"
#include "platform/linux/registry/SysInfoTool.h"
#include "tests/linux/Unprivileged.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kSysInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr reg::HKey kHklm = reg::kHKeyLocalMachine;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& file, std::string_view text, fs::perms perms = fs::perms(0644)) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
    fs::permissions(file, perms);
}

// A system root of its own for each test.
class LinuxRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = std::string(testing::kOpenTempFolder) + "/velnix-registry-XXXXXX";
        root = mkdtemp(pattern.data());
        fs::permissions(root, fs::perms(0755));  // reachable by an unprivileged user too
        setenv("VELNIX_ROOT", root.c_str(), 1);
        setenv("PATH", "/usr/local/bin:/usr/bin", 1);
        fs::create_directories(root / "etc/xdg/autostart");
    }
    void TearDown() override {
        unsetenv("VELNIX_ROOT");
        fs::remove_all(root);
    }

    fs::path EntryFile() const { return root / "etc/xdg/autostart/Velnix.desktop"; }

    std::string Query(std::string_view key, std::string_view name, int32_t& status) {
        std::string out;
        status = module.QueryValue(kHklm, key, name, out);
        return out;
    }

    fs::path root;
    LinuxRegistry registry;
    LinuxShortPath shortPath;
    LinuxVersion version;
    LinuxRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
};

TEST_F(LinuxRegistryTest, TheStartEntryIsAnAutostartDesktopEntry) {
    module.SetStringValue(kHklm, kRun, "Velnix", "\"/opt/Mes Outils/velnix\"");
    const std::string text = ReadFile(EntryFile());
    EXPECT_NE(text.find("[Desktop Entry]\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/opt/Mes Outils/velnix\"\n"), std::string::npos);
    EXPECT_EQ(fs::status(EntryFile()).permissions(), fs::perms(0644));

    int32_t status = -1;
    EXPECT_EQ(Query(kRun, "velnix", status), "\"/opt/Mes Outils/velnix\"");
    EXPECT_EQ(status, 0);

    module.SetStringValue(kHklm, kRun, "Velnix", "/usr/bin/velnix");
    EXPECT_EQ(Query(kRun, "Velnix", status), "/usr/bin/velnix");
    EXPECT_EQ(module.DeleteValue(kHklm, kRun, "Velnix"), 0);
    EXPECT_FALSE(fs::exists(EntryFile()));
    Query(kRun, "Velnix", status);
    EXPECT_EQ(status, 2);
}

TEST_F(LinuxRegistryTest, ReservedCharactersAreEscapedInExecAndReadBack) {
    const std::vector<std::string> arguments = {"/opt/a$b`c\\d\"e/velnix", "100%", ""};
    const std::string exec = DesktopExecValue(arguments);
    EXPECT_EQ(exec, "\"/opt/a\\\\$b\\\\`c\\\\\\\\d\\\\\"e/velnix\" 100%% \"\"");
    EXPECT_EQ(ParseDesktopExecValue(exec), arguments);

    // Written and read through the registry: the command comes back as it went in, even with a
    // quote in the program's path.
    const std::string command = StartCommandLine({"/opt/x \"y/velnix", "--a=\"b\""});
    module.SetStringValue(kHklm, kRun, "Velnix", command);
    int32_t status = -1;
    EXPECT_EQ(Query(kRun, "Velnix", status), command);
}

TEST_F(LinuxRegistryTest, EntriesWrittenByHandAreRead) {
    WriteFile(EntryFile(),
              "# made by hand\n[Desktop Action x]\nExec=wrong\n[Desktop Entry]\n"
              "Name=Velnix\nExec = /usr/bin/velnix %U \"--name=a b\"\n");
    int32_t status = -1;
    EXPECT_EQ(Query(kRun, "Velnix", status), "/usr/bin/velnix \"--name=a b\"");

    // Hidden=true: the entry has been removed.
    WriteFile(EntryFile(), "[Desktop Entry]\nExec=/usr/bin/velnix\nHidden=true\n");
    Query(kRun, "Velnix", status);
    EXPECT_EQ(status, 2);
}

TEST_F(LinuxRegistryTest, OnlyTheProgramsOwnTextValueIsHeld) {
    WriteFile(root / "etc/xdg/autostart/Other.desktop", "[Desktop Entry]\nExec=/usr/bin/other\n");
    int32_t status = -1;
    Query(kRun, "Other", status);
    EXPECT_EQ(status, 2);

    reg::HKey key = 0;
    ASSERT_EQ(registry.OpenKey(kHklm, kRun, reg::kKeyWriteAccess, key), 0);
    const uint8_t number[4] = {1, 0, 0, 0};
    EXPECT_EQ(registry.SetValue(key, "Velnix", reg::kRegDword, number, 4), 87);
    EXPECT_EQ(registry.SetValue(key, "Velnix", reg::kRegExpandSz,
                                reinterpret_cast<const uint8_t*>("x"), 2),
              87);
    EXPECT_EQ(
        registry.SetValue(key, "Other", reg::kRegSz, reinterpret_cast<const uint8_t*>("x"), 2), 5);
    EXPECT_EQ(registry.DeleteValue(key, "Other"), 2);
    EXPECT_EQ(registry.DeleteValue(key, "Velnix"), 2);
    EXPECT_EQ(registry.CloseKey(key), 0);
    EXPECT_EQ(registry.CloseKey(key), 6);
    EXPECT_FALSE(fs::exists(EntryFile()));
    EXPECT_TRUE(fs::exists(root / "etc/xdg/autostart/Other.desktop"));
}

TEST_F(LinuxRegistryTest, ARunKeyOpenedForReadingCannotWrite) {
    reg::HKey key = 0;
    ASSERT_EQ(registry.OpenKey(kHklm, kRun, reg::kKeyQueryAccess, key), 0);
    EXPECT_EQ(
        registry.SetValue(key, "Velnix", reg::kRegSz, reinterpret_cast<const uint8_t*>("x"), 2), 5);
    EXPECT_EQ(registry.DeleteValue(key, "Velnix"), 5);
    registry.CloseKey(key);
}

TEST_F(LinuxRegistryTest, TheQueryFollowsTheRoomRules) {
    module.SetStringValue(kHklm, kRun, "Velnix", "/usr/bin/velnix");
    reg::HKey key = 0;
    ASSERT_EQ(registry.OpenKey(kHklm, kRun, reg::kKeyQueryAccess, key), 0);
    uint32_t type = 0;
    uint32_t size = 0;
    EXPECT_EQ(registry.QueryValue(key, "Velnix", type, nullptr, size), 0);
    EXPECT_EQ(type, reg::kRegSz);
    EXPECT_EQ(size, 16u);
    uint8_t small[8];
    size = sizeof small;
    EXPECT_EQ(registry.QueryValue(key, "Velnix", type, small, size), 234);
    EXPECT_EQ(size, 16u);
    registry.CloseKey(key);
}

TEST_F(LinuxRegistryTest, EveryOtherKeyDoesNotExist) {
    reg::HKey key = 0;
    EXPECT_EQ(registry.OpenKey(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                               reg::kKeyQueryAccess, key),
              2);
    EXPECT_EQ(registry.OpenKey(reg::kHKeyCurrentUser, kRun, reg::kKeyQueryAccess, key), 2);
    EXPECT_EQ(
        registry.OpenKey(kHklm, "SOFTWARE\\Microsoft\\Shared Tools Location", reg::kKeyRead, key),
        2);
    EXPECT_EQ(registry.OpenKey(kHklm, "software\\microsoft\\windows\\currentversion\\run",
                               reg::kKeyQueryAccess, key),
              0);
    registry.CloseKey(key);
}

// Writing the start entry as a user who may not write into the autostart folder (as root, the
// check runs as nobody).
TEST_F(LinuxRegistryTest, AWriteWithoutRightsIsDenied) {
    WriteFile(EntryFile(), "[Desktop Entry]\nExec=/old/velnix\n");
    fs::permissions(root / "etc/xdg/autostart", fs::perms(0555));
    const int status = testing::RunUnprivileged([this] {
        int code = 0;
        if (module.SetKeyValue(kHklm, kRun, "Velnix", RegValue(std::string("/new"))) != 5)
            code |= 1;
        if (module.DeleteValue(kHklm, kRun, "Velnix") != 5) code |= 2;
        std::string out;
        if (module.QueryValue(kHklm, kRun, "Velnix", out) != 0 || out != "/old/velnix") code |= 4;
        return code;
    });
    fs::permissions(root / "etc/xdg/autostart", fs::perms(0755));
    EXPECT_EQ(status, 0);
    EXPECT_NE(ReadFile(EntryFile()).find("Exec=/old/velnix"), std::string::npos);
}

TEST_F(LinuxRegistryTest, TheSystemInformationToolIsTheFirstInstalled) {
    int32_t status = -1;
    Query(kSysInfo, "PATH", status);
    EXPECT_EQ(status, 2);  // none installed

    WriteFile(root / "usr/bin/hardinfo", "", fs::perms(0644));  // not executable
    WriteFile(root / "usr/bin/cpu-x", "#!/bin/sh\n", fs::perms(0755));
    EXPECT_EQ(Query(kSysInfo, "PATH", status), (root / "usr/bin/cpu-x").string());
    EXPECT_EQ(status, 0);

    WriteFile(root / "usr/local/bin/kinfocenter", "#!/bin/sh\n", fs::perms(0755));
    EXPECT_EQ(Query(kSysInfo, "path", status), (root / "usr/local/bin/kinfocenter").string());

    // A tool that others may run but this user may not does not count (as root, checked as
    // nobody: root may run any file with an execute bit).
    WriteFile(root / "usr/local/bin/hardinfo", "#!/bin/sh\n", fs::perms(0070));
    const std::string kinfocenter = (root / "usr/local/bin/kinfocenter").string();
    EXPECT_EQ(testing::RunUnprivileged([&] { return FindSysInfoTool() == kinfocenter ? 0 : 1; }),
              0);

    reg::HKey key = 0;
    EXPECT_EQ(registry.OpenKey(kHklm, kSysInfo, reg::kKeyWriteAccess, key), 5);
}

TEST_F(LinuxRegistryTest, TheStartCommandIsTheProgramsRealPath) {
    char buffer[8] = {};
    EXPECT_EQ(shortPath.ShortPathOf("/opt/Mes Outils", buffer, 8), 16u);
    EXPECT_TRUE(module.IsWindowsNT());
    module.BuildExePath();
    const fs::path self = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(module.ExePath, self.string());
    EXPECT_EQ(module.GetShortPath("/opt/Mes Outils"), "/opt/Mes Outils");
}

TEST(StartCommandTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(StartCommandLine({"/a b/c", "d", "", "e\"f"}), "\"/a b/c\" d \"\" \"e\\\"f\"");
}

}  // namespace
}  // namespace velnix::linux_platform
