#include "platform/linux/process/LinuxProcessLauncher.h"

#include <fcntl.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/Errors.h"
#include "platform/linux/process/ProgramSearch.h"
#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/simulation/SimulatedProvider.h"
#include "tests/linux/ProgramRun.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A temporary folder of programs, first on PATH while the fixture lives.
class ProgramFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velnix-programs.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const char* path = std::getenv("PATH");
        savedPath_ = path != nullptr ? path : "";
        setenv("PATH", (folder_.string() + ":" + savedPath_).c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", savedPath_.c_str(), 1);
        fs::remove_all(folder_);
    }

    fs::path Write(const std::string& name, const std::string& content, fs::perms mode) {
        const fs::path path = folder_ / name;
        std::ofstream(path) << content;
        fs::permissions(path, mode);
        return path;
    }

    // A program that writes what it was started with to `<folder>/<report>`, once complete.
    void WriteProbe(const std::string& name) {
        Write(name,
              "#!/bin/sh\n"
              "report=\"$(dirname \"$0\")/$1\"\n"
              "streams=$(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2)\n"
              "{\n"
              "  for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
              "  echo \"$streams\"\n"
              "  echo \"display=${DISPLAY-none}\"\n"
              "  if [ -e /proc/$$/fd/$2 ]; then echo inherited; else echo closed; fi\n"
              "  set -- $(cat /proc/$$/stat)\n"
              "  echo \"session=$6\"\n"
              "} >\"$report.part\"\n"
              "mv \"$report.part\" \"$report\"\n",
              fs::perms::owner_all);
    }

    std::string Report(const std::string& name) {
        std::optional<std::string> text;
        SimulatedProvider::WaitFor(
            [&] { return (text = ReadSmallFile(folder_ / name)).has_value(); });
        return text.value_or("");
    }

    fs::path folder_;
    std::string savedPath_;
};

TEST_F(ProgramFolder, HiddenStartRunsDetachedOnDevNullWithoutDisplayOrInheritedFiles) {
    WriteProbe("sonde");
    setenv("DISPLAY", ":42", 1);
    const int inheritable = open("/dev/null", O_RDONLY);  // without close-on-exec
    linux_platform::LinuxProcessLauncher launcher;
    launcher.StartHidden("sonde.exe cache " + std::to_string(inheritable) +
                         R"( "deux mots" "guillemet \" et \\" "")");
    const std::string report = Report("cache");
    close(inheritable);
    EXPECT_THAT(report, HasSubstr("[cache]\n[" + std::to_string(inheritable) +
                                  "]\n[deux mots]\n[guillemet \" et \\]\n[]\n"));
    EXPECT_THAT(report, HasSubstr("/dev/null\n/dev/null\n/dev/null\n"));
    EXPECT_THAT(report, HasSubstr("display=none\n"));
    EXPECT_THAT(report, HasSubstr("closed\n"));
    EXPECT_THAT(report, ::testing::Not(HasSubstr("session=" + std::to_string(getsid(0)) + "\n")));
    EXPECT_EQ(testing::ChildProcessCount(), 0);

    launcher.StartShown("sonde affiche 0");
    EXPECT_THAT(Report("affiche"), HasSubstr("display=:42\n"));
    unsetenv("DISPLAY");
}

TEST_F(ProgramFolder, MissingOrUnrunnableProgramsFailWithAFrenchMessage) {
    linux_platform::LinuxProcessLauncher launcher;
    try {
        launcher.StartHidden(R"(absent.exe "x")");
        FAIL() << "started";
    } catch (const ProcessStartError& error) {
        // The Linux user looks for the program without the Windows extension.
        EXPECT_STREQ(error.what(),
                     "Fichier introuvable : absent (ni à côté du programme, ni dans le PATH)");
    }
    Write("texte", "ni ELF ni #!\n", fs::perms::owner_all);
    try {
        launcher.StartHidden("texte");
        FAIL() << "started";
    } catch (const ProcessStartError& error) {
        EXPECT_STREQ(error.what(), "Impossible de lancer texte : format d'exécutable non reconnu");
    }
    Write("lecture", "#!/bin/sh\n", fs::perms::owner_read);
    EXPECT_THROW(launcher.StartHidden("lecture"), ProcessStartError);
    EXPECT_THROW(launcher.StartShown("   "), ProcessStartError);
    EXPECT_EQ(testing::ChildProcessCount(), 0);
}

TEST_F(ProgramFolder, ManyStartsLeaveNoChildProcess) {
    Write("rapide", "#!/bin/sh\nexit 0\n", fs::perms::owner_all);
    linux_platform::LinuxProcessLauncher launcher;
    for (int i = 0; i < 50; ++i) launcher.StartHidden("rapide.exe");
    EXPECT_EQ(testing::ChildProcessCount(), 0);
}

TEST_F(ProgramFolder, ProgramsAreFoundInTheGivenFoldersInOrderWithOrWithoutExe) {
    const fs::path other = folder_ / "autre";
    fs::create_directories(other);
    Write("outil", "#!/bin/sh\n", fs::perms::owner_all);
    Write("vrai.exe", "#!/bin/sh\n", fs::perms::owner_all);
    Write("lecture", "#!/bin/sh\n", fs::perms::owner_read);
    Write("autre/outil", "#!/bin/sh\n", fs::perms::owner_all);
    Write("autre/seul", "#!/bin/sh\n", fs::perms::owner_all);
    const std::vector<fs::path> folders = {folder_, other};
    EXPECT_EQ(FindProgram("outil.exe", folders), folder_ / "outil");
    EXPECT_EQ(FindProgram("outil.EXE", folders), folder_ / "outil");
    EXPECT_EQ(FindProgram("outil", folders), folder_ / "outil");
    EXPECT_EQ(FindProgram("vrai.exe", folders), folder_ / "vrai.exe");
    EXPECT_EQ(FindProgram("seul.exe", folders), other / "seul");
    EXPECT_EQ(FindProgram((other / "outil.exe").string(), {}), other / "outil");
    EXPECT_EQ(FindProgram("lecture", folders), std::nullopt);
    EXPECT_EQ(FindProgram("autre", folders), std::nullopt);
    EXPECT_EQ(FindProgram("", folders), std::nullopt);
    EXPECT_EQ(FindProgram(".exe", folders), std::nullopt);

    // The running program's folder is the build's bin folder, where the dialer lives.
    EXPECT_EQ(RunningProgramFolder(), fs::path(VELNIX_BIN_DIR));
}

}  // namespace
}  // namespace velnix::linux_platform
