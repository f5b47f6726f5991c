#include <gtest/gtest.h>

#include "procedures/ModelTable.h"

TEST(ModelTable, FamilyTestsFollowTheNames)
{
    const auto& t = modelTable();
    EXPECT_TRUE(isPlaceholderModel(t[0]));
    EXPECT_FALSE(hasEepromDivider(t[5])) << "HC(9)12D60 is a plain HC12";
    EXPECT_TRUE(hasEepromDivider(t[3]));
    EXPECT_TRUE(hasEepromDivider(t[4]));
    EXPECT_TRUE(isMc9s12Model(t[6]));
    EXPECT_TRUE(isMc9s12Model(t[7]));
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(isMc9s12Model(t[i]));
}
