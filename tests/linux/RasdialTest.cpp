#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/simulation/SimulatedProvider.h"
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

    const std::string path = std::getenv("PATH");
    setenv("PATH", "/nonexistent", 1);  // under a moved root, pppd is looked for on PATH only
    const testing::ProgramRun missing = RunProgram({DialerPath(), kEntry, "a", "b"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(missing.status, 5);
    ExpectOneLineMessage(missing, "pppd introuvable");

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

}  // namespace
}  // namespace velnix::linux_platform
