#include "engine/DialCommand.h"

#include "common/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velnix {
namespace {

TEST(DialCommand, PlainValuesGiveTheDialerCommandLinesUnchanged) {
    EXPECT_EQ(DialCommandLine("Mon FAI", "jean.dupont", "mot de passe"),
              R"(rasdial.exe "Mon FAI" "jean.dupont" "mot de passe")");
    EXPECT_EQ(DialCommandLine("", "", ""), R"(rasdial.exe "" "" "")");
    EXPECT_EQ(HangUpCommandLine("Mon FAI"), R"(rasdial.exe "Mon FAI" /disconnect)");
    EXPECT_EQ(DialCommandLine(R"(C:\a\b)", "x", "y"), R"(rasdial.exe "C:\a\b" "x" "y")");
}

TEST(DialCommand, QuotesAndTrailingBackslashesAreEscaped) {
    EXPECT_EQ(QuoteArgument(R"(pa"ss)"), R"("pa\"ss")");
    EXPECT_EQ(QuoteArgument(R"(pa\"ss)"), R"("pa\\\"ss")");
    EXPECT_EQ(QuoteArgument(R"(end\)"), R"("end\\")");
    EXPECT_EQ(QuoteArgument(R"(end\\)"), R"("end\\\\")");
    EXPECT_EQ(QuoteArgument(R"(a" "/disconnect)"), R"("a\" \"/disconnect")");
    EXPECT_EQ(HangUpCommandLine(R"(FAI\)"), R"(rasdial.exe "FAI\\" /disconnect)");
}

}  // namespace
}  // namespace velnix
