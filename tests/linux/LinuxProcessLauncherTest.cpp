#include "platform/linux/process/LinuxProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "engine/DialCommand.h"
#include "platform/linux/process/ProgramSearch.h"
#include "platform/linux/ras/PppWords.h"
#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/simulation/SimulatedProvider.h"
#include "tests/linux/FakePppd.h"
#include "tests/linux/FixtureRoot.h"
#include "tests/linux/ProgramRun.h"
#include "tests/linux/Unprivileged.h"

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

// What a user polling every command line (/proc/*/cmdline) sees of the dials.
struct Sightings {
    int dialers = 0;  // the dialer's command line, `rasdial.exe ENTRY LOGIN *`
    int pppds = 0;    // pppd's (the stand-in's, run by /bin/sh)
    int leaks = 0;    // the password, or a command line of the dial of any other form
};

// Polls the command lines of every process until `stop` reaches its end, and writes what it saw
// of the dials of `login` to `result`; run as nobody when this process is root.
[[noreturn]] void Poll(int stop, int result, const std::string& login,
                       const std::string& password) {
    if (geteuid() == 0 && !testing::BecomeNobody()) _exit(1);
    Sightings seen;
    struct pollfd ended = {stop, POLLIN, 0};
    while (::poll(&ended, 1, 0) == 0) {
        std::error_code error;
        for (const auto& process : fs::directory_iterator("/proc", error)) {
            const auto commandLine = ReadSmallFile(process.path() / "cmdline");
            if (!commandLine) continue;
            if (commandLine->find(password) != std::string::npos) ++seen.leaks;
            if (commandLine->find(login) == std::string::npos) continue;
            std::vector<std::string> words;
            std::istringstream stream(*commandLine);
            for (std::string word; std::getline(stream, word, '\0');) words.push_back(word);
            if (words.size() == 4 && words[0] == "rasdial.exe" && words[2] == login &&
                words[3] == "*") {
                ++seen.dialers;
            } else if (words.size() == 8 && words[0] == "/bin/sh" && words[5] == login &&
                       words[6] == "file" && words[7].starts_with("/dev/fd/")) {
                ++seen.pppds;
            } else {
                ++seen.leaks;
            }
        }
    }
    const bool written = write(result, &seen, sizeof seen) == sizeof seen;
    _exit(written ? 0 : 1);
}

// Another user polling /proc during 200 dials never sees the password nor its length: the
// dialer gets `*` and reads the password from a pipe, and so does pppd.
TEST(DialerPassword, IsOnNoCommandLineDuring200Dials) {
    testing::FixtureRoot root;
    root.AddPeer("Fournisseur ADSL");
    testing::FakePppd pppd(root, false);
    const std::string login = "jean." + std::to_string(getpid());
    const std::string password = "s3cr\"et " + std::to_string(getpid()) + "\\é";

    int stop[2];
    int result[2];
    ASSERT_EQ(pipe2(stop, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(result, O_CLOEXEC), 0);
    const pid_t poller = fork();
    if (poller == 0) {
        close(stop[1]);
        close(result[0]);
        Poll(stop[0], result[1], login, password);
    }
    close(stop[0]);
    close(result[1]);

    linux_platform::LinuxProcessLauncher launcher;
    for (int dial = 0; dial < 200; ++dial) {
        launcher.StartHidden(DialCommandLine("Fournisseur ADSL", login, password));
    }
    // Every dial ends, through the stand-in or as "already being dialed".
    EXPECT_TRUE(SimulatedProvider::WaitFor([&] {
        for (const auto& process : fs::directory_iterator("/proc")) {
            const auto commandLine = ReadSmallFile(process.path() / "cmdline");
            if (commandLine && commandLine->find(login) != std::string::npos) return false;
        }
        return true;
    }));
    close(stop[1]);
    Sightings seen;
    ASSERT_EQ(read(result[0], &seen, sizeof seen), static_cast<ssize_t>(sizeof seen));
    close(result[0]);
    waitpid(poller, nullptr, 0);

    std::cout << "200 numérotations : " << seen.dialers << " lignes de rasdial et " << seen.pppds
              << " de pppd vues, " << seen.leaks << " fuites" << std::endl;
    EXPECT_EQ(seen.leaks, 0);
    EXPECT_GT(seen.dialers + seen.pppds, 0) << "the poll caught no dial: nothing was checked";
    const std::vector<std::string> starts = pppd.Starts();
    ASSERT_FALSE(starts.empty());
    EXPECT_THAT(starts.front(), HasSubstr("password " + QuotePppWord(password) + "\n"));
}

}  // namespace
}  // namespace velnix::linux_platform
