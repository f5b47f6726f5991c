// The editing rules of the two halves of a buffer grid and the character view.
#include <gtest/gtest.h>

#include "store/CellRules.h"
#include "store/Windows1250.h"

TEST(CellRules, HexCellTextAfterAnEdit)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* kept;
        unsigned value;
    };
    const Case cases[] = {
        {L"a", L"0A", 0x0A},     {L"7f", L"7F", 0x7F},   {L"g1", L"00", 0x00},  {L"1ff", L"1FF", 0xFF},
        {L"", L"", 0x00},        {L"0", L"00", 0x00},    {L"FF", L"FF", 0xFF},  {L"a5 ", L"00", 0x00},
        {L"-1", L"00", 0x00},    {L"100", L"100", 0x00}, {L"ą", L"00", 0x00},   {L"123456789ABCDEF1", L"123456789ABCDEF1", 0xF1},
    };
    for (const Case& c : cases) {
        const std::wstring kept = normalizeHexCell(c.typed);
        EXPECT_EQ(kept, c.kept) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(hexCellValue(kept), c.value) << "typed " << testing::PrintToString(std::wstring(c.typed));
    }
}

TEST(CellRules, GlyphOfEachByteClass)
{
    struct Case {
        unsigned byte;
        wchar_t glyph;
    };
    const Case cases[] = {
        {0x00, L'.'}, {0x1F, L'.'}, {0x20, L' '},  {0x41, L'A'},  {0x7E, L'~'},  {0x7F, L'.'},
        {0x80, L'€'}, {0x81, L'.'}, {0x83, L'.'},  {0x88, L'.'},  {0x90, L'.'},  {0x98, L'.'},
        {0x8C, L'Ś'}, {0xA5, L'Ą'}, {0xB9, L'ą'},  {0xCA, L'Ę'},  {0xEA, L'ę'},  {0xA3, L'Ł'},
        {0xB3, L'ł'}, {0xD1, L'Ń'}, {0xF1, L'ń'},  {0xD3, L'Ó'},  {0xF3, L'ó'},  {0x9C, L'ś'},
        {0x8F, L'Ź'}, {0x9F, L'ź'}, {0xAF, L'Ż'},  {0xBF, L'ż'},  {0xC6, L'Ć'},  {0xE6, L'ć'},
        {0xFE, L'ţ'}, {0xFF, L'.'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(byteGlyph(std::uint8_t(c.byte)), c.glyph) << std::hex << c.byte;
}

TEST(CellRules, TypedCharacterGivesItsWindows1250Code)
{
    struct Case {
        const wchar_t* typed;
        unsigned value;
    };
    const Case cases[] = {
        {L"A", 0x41}, {L"", 0x00},    {L"AB", 0x41}, {L"ą", 0xB9},   {L"Ż", 0xAF},
        {L"€", 0x80}, {L"ß", 0xDF},   {L"ж", 0x3F},  {L"ñ", 0x3F},   {L".", 0x2E},
    };
    for (const Case& c : cases)
        EXPECT_EQ(charCellValue(c.typed), c.value) << testing::PrintToString(std::wstring(c.typed));
}

TEST(CellRules, EveryAssignedCodeRoundTrips)
{
    for (unsigned b = 0; b < 256; ++b) {
        const char32_t c = windows1250ToUnicode(std::uint8_t(b));
        if (b != 0 && c == 0) {
            EXPECT_TRUE(b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) << std::hex << b;
            continue;
        }
        EXPECT_EQ(unicodeToWindows1250(c), b) << std::hex << b;
    }
}

TEST(CellRules, NumberFormats)
{
    EXPECT_EQ(byteText(0x00), L"00");
    EXPECT_EQ(byteText(0xA5), L"A5");
    EXPECT_EQ(addressText(0x0000), L"0000");
    EXPECT_EQ(addressText(0xFFF0), L"FFF0");
}
