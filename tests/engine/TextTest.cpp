#include "common/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velnix {
namespace {

TEST(Text, ComparesWithoutRegardToLetterCase) {
    EXPECT_TRUE(EqualsIgnoreCase("Mon FAI", "mon fai"));
    EXPECT_TRUE(EqualsIgnoreCase("Fournisseur Été", "FOURNISSEUR éTÉ"));
    EXPECT_TRUE(EqualsIgnoreCase("", ""));
    EXPECT_FALSE(EqualsIgnoreCase("Mon FAI", "Mon FAI "));
    EXPECT_FALSE(EqualsIgnoreCase("e", "é"));
    EXPECT_FALSE(EqualsIgnoreCase("×", "÷")) << "the multiplication sign is not a letter";
}

}  // namespace
}  // namespace velnix
