#include "config/BooleanText.h"

#include <gtest/gtest.h>

#include "common/Errors.h"

namespace velnix {
namespace {

TEST(BooleanText, WritesTheCapitalisedWords) {
    EXPECT_EQ(BooleanWord(true), "True");
    EXPECT_EQ(BooleanWord(false), "False");
}

TEST(BooleanText, ReadsTheWordsInAnyLetterCase) {
    for (const char* text : {"True", "true", "TRUE", "tRuE"})
        EXPECT_TRUE(ParseBoolean(text)) << text;
    for (const char* text : {"False", "false", "FALSE", "fAlSe"}) {
        EXPECT_FALSE(ParseBoolean(text)) << text;
    }
}

TEST(BooleanText, ReadsNumbersAsZeroOrNotZero) {
    for (const char* text : {"0", "-0", "0.0", "0,00", "+0", "0e5", "&H0", "000"}) {
        EXPECT_FALSE(ParseBoolean(text)) << text;
    }
    for (const char* text : {"1", "-1", "42", "0.5", "3,25", "1e3", "&HFF", "&o7", " 1 "}) {
        EXPECT_TRUE(ParseBoolean(text)) << text;
    }
}

TEST(BooleanText, AnythingElseIsATypeMismatch) {
    for (const char* text :
         {"", "yes", "vrai", "Tru", "True1", "1x", "-", ".", "1e", "&H", "&HZZ", "Truee", "0x1"}) {
        EXPECT_THROW(ParseBoolean(text), TypeMismatchError) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace velnix
