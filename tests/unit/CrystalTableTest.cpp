// The per-crystal values against the chips' own rules, so that a wrong entry
// shows here and not as a slow or damaged EEPROM on a board.
#include <gtest/gtest.h>

#include "procedures/CrystalTable.h"

namespace {

TEST(CrystalTable, EveryCrystalGetsTheClocksItsChipsNeed)
{
    const std::vector<std::pair<int, std::string>> expected = {{16, "16MHz"}, {8, "8MHz"}, {4, "4MHz"}};
    ASSERT_EQ(CRYSTAL_TABLE.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Crystal& crystal = CRYSTAL_TABLE[i];
        EXPECT_EQ(crystal.mhz, expected[i].first);
        EXPECT_EQ(toStdString(crystal.label), expected[i].second);
        EXPECT_EQ(findCrystal(crystal.mhz), &crystal);

        // HC912D: EEDIV counts the crystal's cycles in 35 µs.
        EXPECT_EQ((crystal.eedivHigh << 8) | crystal.eedivLow, crystal.mhz * 35) << crystal.mhz;
        // MC9S12: ECLKDIV bit 6 prescales by 8, bits 5..0 divide by n + 1, and
        // the EEPROM clock must come to 150 to 200 HZ.
        const int prescaler = (crystal.eclkdiv & 0x40) ? 8 : 1;
        const double eepromKHz = crystal.mhz * 1000.0 / prescaler / ((crystal.eclkdiv & 0x3F) + 1);
        EXPECT_GE(eepromKHz, 150.0) << crystal.mhz;
        EXPECT_LE(eepromKHz, 200.0) << crystal.mhz;
        EXPECT_EQ(crystal.eclkdiv & 0x80, 0) << "EDIVLD is read-only";
    }
    EXPECT_EQ(findCrystal(0), nullptr);
    EXPECT_EQ(findCrystal(12), nullptr);
}

} // namespace
