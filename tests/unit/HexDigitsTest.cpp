// The one reading of hexadecimal numbers that typed addresses and the command
// line's --start share: digits in either case, nothing else, nothing too large.
#include <gtest/gtest.h>

#include "store/HexDigits.h"

TEST(HexDigits, ReadsDigitsInEitherCaseAndNothingElse)
{
    using std::string_view;
    EXPECT_EQ(hexNumberValue(string_view("0")), 0u);
    EXPECT_EQ(hexNumberValue(string_view("0aF9")), 0x0AF9u);
    EXPECT_EQ(hexNumberValue(std::wstring_view(L"FfFf")), 0xFFFFu);
    EXPECT_EQ(hexNumberValue(string_view("FFFFFFFFFFFFFFFF")), 0xFFFFFFFFFFFFFFFFu);
    for (const char* refused : {"", "-1", "+1", " 1", "1 ", "0x10", "G", "1g", "\xC4\x85"})
        EXPECT_FALSE(hexNumberValue(string_view(refused)).has_value()) << refused;
}

TEST(HexDigits, RefusesValuesAboveTheLimitWithoutWrappingRound)
{
    using std::string_view;
    EXPECT_EQ(hexNumberValue(string_view("FFFF"), 0xFFFF), 0xFFFFu);
    EXPECT_FALSE(hexNumberValue(string_view("10000"), 0xFFFF).has_value());
    EXPECT_FALSE(hexNumberValue(string_view("00000000000000010000"), 0xFFFF).has_value());
    EXPECT_EQ(hexNumberValue(string_view("00000000000000000001"), 0xFFFF), 1u); // leading zeros are no value
    EXPECT_FALSE(hexNumberValue(string_view("10000000000000000")).has_value()); // 2^64 does not wrap to 0
}
