// The CRC-32 the command line reports for an image.
#include <gtest/gtest.h>

#include <string>

#include "images/Crc32.h"

TEST(Crc32, MatchesTheCheckValueOfTheZipPolynomial)
{
    const std::string check = "123456789";
    EXPECT_EQ(crc32({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}), 0xCBF43926u);
    EXPECT_EQ(crc32({}), 0u);
}
