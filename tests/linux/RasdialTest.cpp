#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/simulation/SimulatedProvider.h"
#include "tests/linux/FakePppd.h"
#include "tests/linux/FixtureRoot.h"
#include "tests/linux/ProgramRun.h"
#include "tests/linux/Unprivileged.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;
using testing::DialerPath;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::RunProgram;
using ::testing::StartsWith;

const std::string kEntry = "Fournisseur ADSL";
const std::string kPassword = R"(mot "de" passe\ é#1)";

bool LinkUp(const std::string& entry) {
    for (const PppLink& link : ListPppLinks()) {
        if (link.entry == entry && link.up) return true;
    }
    return false;
}

// Exactly one line, the dialer's own.
void ExpectOneLineMessage(const testing::ProgramRun& run, const std::string& part) {
    EXPECT_THAT(run.err, StartsWith("rasdial : "));
    EXPECT_THAT(run.err, HasSubstr(part));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(Rasdial, DialsThroughPppdWithThePasswordOnlyInAPipeAndHangsUp) {
    SimulatedProvider provider;
    provider.SetAccount("jean", kPassword);
    EXPECT_EQ(RunProgram({DialerPath()}).out, "Aucune connexion active.\n");

    EXPECT_EQ(RunProgram({DialerPath(), kEntry, "jean", kPassword}).status, 0);
    ASSERT_TRUE(SimulatedProvider::WaitFor([] { return LinkUp(kEntry); }))
        << "the provider refused the password it was handed";
    const std::vector<PppLink> links = ListPppLinks();
    ASSERT_EQ(links.size(), 1u);
    const std::vector<std::string> words = testing::CommandLineOf(static_cast<int>(links[0].pid));
    ASSERT_EQ(words.size(), 7u);
    EXPECT_THAT(std::vector(words.begin(), words.end() - 1),
                ElementsAre("pppd", "call", kEntry, "user", "jean", "file"));
    EXPECT_THAT(words.back(), StartsWith("/dev/fd/"));

    const testing::ProgramRun again = RunProgram({DialerPath(), kEntry, "jean", kPassword});
    EXPECT_EQ(again.status, 0);
    EXPECT_THAT(again.out, HasSubstr("déjà établie"));
    EXPECT_EQ(ListPppLinks().size(), 1u);
    EXPECT_EQ(RunProgram({DialerPath()}).out, kEntry + "\n");

    EXPECT_EQ(RunProgram({DialerPath(), "FOURNISSEUR adsl", "/DISCONNECT"}).status, 0);
    EXPECT_TRUE(SimulatedProvider::WaitFor(
        [] { return ListPppLinks().empty() && PppdProcessesOf(kEntry).empty(); }));
    const testing::ProgramRun none = RunProgram({DialerPath(), kEntry, "/disconnect"});
    EXPECT_EQ(none.status, 0);
    EXPECT_THAT(none.out, HasSubstr("Aucune connexion"));
}

TEST(Rasdial, AWrongPasswordNeverBringsTheLinkUp) {
    SimulatedProvider provider;
    provider.SetAccount("jean", kPassword);
    EXPECT_EQ(RunProgram({DialerPath(), kEntry, "jean", kPassword + "x"}).status, 0);
    EXPECT_TRUE(SimulatedProvider::WaitFor([] { return !ListPppLinks().empty(); }));
    bool everUp = false;
    EXPECT_TRUE(SimulatedProvider::WaitFor([&] {
        everUp = everUp || LinkUp(kEntry);
        return ListPppLinks().empty();
    }));
    EXPECT_FALSE(everUp);
}

TEST(Rasdial, FailuresExitWithTheirOwnStatusAndOneFrenchLine) {
    SimulatedProvider provider;
    ExpectOneLineMessage(RunProgram({DialerPath(), "Inconnu", "a", "b"}), "entrée inconnue");
    EXPECT_EQ(RunProgram({DialerPath(), "Inconnu", "a", "b"}).status, 3);
    EXPECT_EQ(RunProgram({DialerPath(), kEntry + "~", "a", "b"}).status, 3);
    EXPECT_EQ(RunProgram({DialerPath(), "../peers/" + kEntry, "a", "b"}).status, 3);
    EXPECT_EQ(RunProgram({DialerPath(), "", "", ""}).status, 3);
    EXPECT_EQ(RunProgram({DialerPath(), kEntry, "a", "b", "c"}).status, 2);
    EXPECT_EQ(RunProgram({DialerPath(), "/x"}).status, 2);
    // pppd would cut a name or a password over 255 bytes short without a word.
    ExpectOneLineMessage(RunProgram({DialerPath(), kEntry, "a", std::string(256, 'p')}),
                         "mot de passe trop long");
    EXPECT_EQ(RunProgram({DialerPath(), kEntry, "a", std::string(256, 'p')}).status, 2);
    EXPECT_EQ(RunProgram({DialerPath(), kEntry, std::string(256, 'j'), "b"}).status, 2);

    // Under a moved root, pppd is looked for on PATH only. One that this user may not run is
    // no missing one.
    fs::create_directories(provider.Root() / "interdit");
    std::ofstream(provider.Root() / "interdit/pppd") << "#!/bin/sh\n";
    fs::permissions(provider.Root() / "interdit/pppd", fs::perms(0644));
    const std::string path = std::getenv("PATH");
    for (const auto& [folder, status, message] :
         {std::tuple{std::string("/nonexistent"), 5, "pppd introuvable"},
          std::tuple{(provider.Root() / "interdit").string(), 4,
                     "accès refusé (il faut appartenir au groupe dip)"}}) {
        setenv("PATH", folder.c_str(), 1);
        const testing::ProgramRun run = RunProgram({DialerPath(), kEntry, "a", "b"});
        setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(run.status, status) << folder;
        ExpectOneLineMessage(run, message);
    }

    // A phone book this user may not read (as root, the dialer runs as nobody).
    fs::permissions(provider.Root(), fs::perms::all);
    fs::permissions(provider.Root() / "etc/ppp/peers", fs::perms::none);
    const testing::ProgramRun refused = RunProgram({DialerPath(), kEntry, "a", "b"}, true);
    fs::permissions(provider.Root() / "etc/ppp/peers", fs::perms::owner_all);
    if (refused.status == testing::kUnreachableProgram) {
        GTEST_SKIP() << "nobody cannot run a copy of the dialer made in "
                     << testing::kOpenTempFolder << ": the no-right case is not checked";
    }
    EXPECT_EQ(refused.status, 4);
    ExpectOneLineMessage(refused, "groupe dip");
    EXPECT_TRUE(ListPppLinks().empty());
}

// The monitor redials every second while a dial fails: a modem still dialing, before pppd has
// a unit, must not get a second pppd beside it.
TEST(Rasdial, AnEntryStillDialingIsNotDialedAgain) {
    testing::FixtureRoot root;
    root.AddPeer(kEntry);
    root.AddProcess(4242, {"/usr/sbin/pppd", "call", kEntry, "user", "jean"});  // no pid file
    const testing::ProgramRun again = RunProgram({DialerPath(), kEntry, "jean", "x"});
    EXPECT_EQ(again.status, 0);
    EXPECT_THAT(again.out, HasSubstr("déjà établie ou en cours"));
    EXPECT_EQ(again.err, "");
}

// A person gives `*` and types the password at a prompt, which does not show it.
TEST(Rasdial, AStarTakesThePasswordTypedAtATerminalWithoutEcho) {
    testing::FixtureRoot root;
    root.AddPeer(kEntry);
    testing::FakePppd pppd(root, false);
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const std::string typist = ptsname(terminal);
    const std::string dialer = DialerPath();
    const pid_t child = fork();
    if (child == 0) {
        setsid();
        const int own = open(typist.c_str(), O_RDWR);  // becomes the controlling terminal
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) dup2(own, fd);
        execl(dialer.c_str(), dialer.c_str(), kEntry.c_str(), "jean", "*", nullptr);
        _exit(127);
    }
    std::string shown;
    char chunk[256];
    ssize_t got;
    bool typed = false;
    while ((got = read(terminal, chunk, sizeof chunk)) > 0) {  // EIO once the dialer is gone
        shown.append(chunk, static_cast<size_t>(got));
        if (!typed && shown.ends_with("Mot de passe : ")) {
            typed = write(terminal, "s3cr et\n", 8) == 8;
        }
    }
    close(terminal);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(typed) << shown;
    EXPECT_THAT(shown, ::testing::Not(HasSubstr("s3cr")));
    const std::vector<std::string> starts = pppd.Starts();
    ASSERT_EQ(starts.size(), 1u) << shown;
    EXPECT_THAT(starts[0], HasSubstr("password \"s3cr et\"\n"));
}

// The monitor's rule and its automatic redial may both dial in one tick: two dials of an entry
// started together start one pppd, which holds the entry until it ends.
TEST(Rasdial, TwoDialsStartedTogetherStartOnePppd) {
    testing::FixtureRoot root;
    root.AddPeer(kEntry);
    testing::FakePppd pppd(root, true);
    const std::vector<std::string> dial = {DialerPath(), kEntry, "jean", "x"};
    int single = 0;
    for (int pair = 0; pair < 20; ++pair) {
        EXPECT_THAT(testing::RunTogether({dial, dial}), ElementsAre(0, 0));
        const size_t started = pppd.Starts().size();
        EXPECT_EQ(started, 1u) << "pair " << pair;
        single += started == 1 ? 1 : 0;
        pppd.EndAll();
    }
    std::cout << single << " paires sur 20 n'ont lancé qu'un pppd" << std::endl;
}

// Only a real pppd (effective uid 0) or one the caller started counts: another unprivileged
// user's process, whatever it calls itself, neither holds a dial back nor is ended by a hang-up.
// The list of connections stays the whole machine's.
TEST(Rasdial, AnotherUsersPppdIsNeitherWaitedForNorSignalled) {
    testing::FixtureRoot root;
    root.AddPeer(kEntry);
    testing::FakePppd pppd(root, false);
    const uint32_t self = getuid();
    const uint32_t other = self == 4321 ? 4322 : 4321;
    const std::vector<std::string> calling = {"/usr/sbin/pppd", "call", kEntry};
    root.AddProcess(5'000'001, calling, {self, self});    // started by the caller
    root.AddProcess(5'000'002, calling, {self, 0});       // setuid, the caller's
    root.AddProcess(5'000'003, calling, {other, 0});      // setuid, another user's
    root.AddProcess(5'000'004, calling, {other, other});  // another user's own program
    root.AddProcess(5'000'005, calling);
    fs::remove(root.Path("/proc/5000005/status"));  // uids unknown
    EXPECT_THAT(PppdProcessesOf(kEntry), ElementsAre(5'000'001u, 5'000'002u, 5'000'003u));

    // A process of ours that shows as another user's pppd with a link up.
    fs::remove_all(root.Path("/proc"));
    const pid_t posing = fork();
    if (posing == 0) {
        pause();
        _exit(0);
    }
    root.AddProcess(static_cast<uint32_t>(posing), calling, {other, other});
    root.Write("/run/ppp0.pid", std::to_string(posing) + "\n");
    root.AddInterface("ppp0", true, 0, 0);
    EXPECT_EQ(RunProgram({DialerPath()}).out, kEntry + "\n");
    EXPECT_THAT(RunProgram({DialerPath(), kEntry, "/disconnect"}).out, HasSubstr("Aucune"));
    EXPECT_EQ(RunProgram({DialerPath(), kEntry, "jean", "x"}).status, 0);
    EXPECT_EQ(pppd.Starts().size(), 1u);
    EXPECT_EQ(waitpid(posing, nullptr, WNOHANG), 0) << "the hang-up ended it";
    kill(posing, SIGKILL);
    waitpid(posing, nullptr, 0);
}

}  // namespace
}  // namespace velnix::linux_platform
