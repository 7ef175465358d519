#include "platform/linux/ras/PppWords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velnix::linux_platform {
namespace {

using ::testing::ElementsAre;

TEST(PppWords, OptionFilesSplitLikePppdReadsThem) {
    EXPECT_THAT(SplitPppWords("noauth\n# commentaire\nuser \"jean dupont\"  # fin\n"),
                ElementsAre("noauth", "user", "jean dupont"));
    EXPECT_THAT(SplitPppWords(R"(password 'a"b' x\ y "tab\there" \101\x42 "")"),
                ElementsAre("password", "a\"b", "x y", "tab\there", "AB", ""));
    EXPECT_THAT(SplitPppWords("a#b \"#c\" suite\\\nligne"), ElementsAre("a#b", "#c", "suiteligne"));
}

TEST(PppWords, AQuotedWordReadsBackUnchanged) {
    for (const std::string value : {"", "simple", "avec des blancs", "guillemet \" au milieu",
                                    "apostrophe ' ici", "fin\\", "\\\\\"", "# pas un commentaire",
                                    "ligne\nsuivante\r", "tab\tulé", "mot de passe accentué é€"}) {
        EXPECT_THAT(SplitPppWords("password " + QuotePppWord(value) + "\n"),
                    ElementsAre("password", value))
            << value;
    }
}

}  // namespace
}  // namespace velnix::linux_platform
