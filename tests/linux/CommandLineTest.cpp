#include "platform/linux/process/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/DialCommand.h"

namespace velnix::linux_platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CommandLine, ArgumentsFollowTheWindowsQuotingRules) {
    EXPECT_THAT(SplitCommandLine(R"(p "abc" d e)"), ElementsAre("p", "abc", "d", "e"));
    EXPECT_THAT(SplitCommandLine(R"(p a\\b d"e f"g h)"), ElementsAre("p", R"(a\\b)", "de fg", "h"));
    EXPECT_THAT(SplitCommandLine(R"(p a\\\"b c d)"), ElementsAre("p", R"(a\"b)", "c", "d"));
    EXPECT_THAT(SplitCommandLine(R"(p a\\\\"b c" d e)"), ElementsAre("p", R"(a\\b c)", "d", "e"));
    EXPECT_THAT(SplitCommandLine(R"(p "a""b" "")"), ElementsAre("p", R"(a"b)", ""));
    EXPECT_THAT(SplitCommandLine("p\t a  \t b "), ElementsAre("p", "a", "b"));
    EXPECT_THAT(SplitCommandLine(R"(p "non fermé)"), ElementsAre("p", "non fermé"));
}

TEST(CommandLine, TheProgramNameTakesNoEscapesButAQuoteInQuotes) {
    EXPECT_THAT(SplitCommandLine(R"("C:\Program Files\x.exe" a)"),
                ElementsAre(R"(C:\Program Files\x.exe)", "a"));
    EXPECT_THAT(SplitCommandLine(R"("/opt/x\"y/velnix" a)"),
                ElementsAre(R"(/opt/x"y/velnix)", "a"));
    EXPECT_THAT(SplitCommandLine(R"(  C:\a\"b c)"), ElementsAre(R"(C:\a\"b)", "c"));
    EXPECT_THAT(SplitCommandLine(R"("" x)"), ElementsAre("", "x"));
    EXPECT_THAT(SplitCommandLine(" \t "), IsEmpty());
}

TEST(CommandLine, TheDialerCommandLinesSplitBackIntoTheirValues) {
    const std::vector<std::string> values = {
        "",         "Mon FAI",   R"(pa"ss)",           R"(pa\"ss)",  R"(fin\)",
        R"(fin\\)", R"(C:\a\b)", R"(a" "/disconnect)", "  blancs  ", "tab\tulé",
        R"(\\\")",  R"("")",     "Numéris €",          R"(a\\"b\)",
    };
    for (const std::string& entry : values) {
        EXPECT_THAT(SplitCommandLine(HangUpCommandLine(entry)),
                    ElementsAre("rasdial.exe", entry, "/disconnect"))
            << entry;
        for (const std::string& secret : values) {
            EXPECT_THAT(SplitCommandLine(DialCommandLine(entry, secret + "x", secret)),
                        ElementsAre("rasdial.exe", entry, secret + "x", secret))
                << entry << " / " << secret;
        }
    }
}

}  // namespace
}  // namespace velnix::linux_platform
