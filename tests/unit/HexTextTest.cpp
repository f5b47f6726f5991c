// Bytes as clipboard text: what a paste reads from hexadecimal text and plain
// text, and what a copy writes, so that a copy pasted elsewhere gives the same
// cells.
#include <gtest/gtest.h>

#include "store/HexText.h"

namespace {

constexpr int A = ANY_BYTE;

} // namespace

TEST(HexText, ReadsTheUsualWaysOfWritingBytes)
{
    struct Case {
        const wchar_t* text;
        std::vector<int> cells;
    };
    const Case cases[] = {
        {L"DE AD be ef", {0xDE, 0xAD, 0xBE, 0xEF}},
        {L"DEADBEEF", {0xDE, 0xAD, 0xBE, 0xEF}},
        {L"0xDE, 0x1,0X0a", {0xDE, 0x01, 0x0A}},
        {L"  41 42\r\n43\t44\n", {0x41, 0x42, 0x43, 0x44}},
        {L"?? 41 DE??EF", {A, 0x41, 0xDE, A, 0xEF}},
        {L"", {}},
        {L" \n ", {}},
    };
    for (const Case& c : cases) {
        const HexTextReading reading = readHexText(c.text, 100);
        EXPECT_EQ(reading.problem, HexTextReading::Problem::None) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(reading.cells, c.cells) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(reading.total, c.cells.size());
    }
}

TEST(HexText, RefusesTextThatIsNotBytes)
{
    struct Case {
        const wchar_t* text;
        HexTextReading::Problem problem;
        const wchar_t* token;
    };
    const Case cases[] = {
        {L"41 ABC 42", HexTextReading::Problem::OddDigits, L"ABC"},
        {L"41 0xG1", HexTextReading::Problem::NotHex, L"0xG1"},
        {L"4? 41", HexTextReading::Problem::NotHex, L"4?"},
        {L"Hello", HexTextReading::Problem::NotHex, L"Hello"},
        {L"41 \x01\x02\x03", HexTextReading::Problem::NotHex, L"\x01\x02\x03"},
        {L"0x", HexTextReading::Problem::NotHex, L"0x"},
    };
    for (const Case& c : cases) {
        const HexTextReading reading = readHexText(c.text, 100);
        EXPECT_EQ(reading.problem, c.problem) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(reading.badToken, c.token);
        EXPECT_TRUE(reading.cells.empty());
    }
}

TEST(HexText, KeepsNoMoreThanTheLimitButChecksEverything)
{
    std::wstring text;
    for (int i = 0; i < 1000; ++i)
        text += L"5A ";
    HexTextReading reading = readHexText(text, 10);
    EXPECT_EQ(reading.cells.size(), 10u);
    EXPECT_EQ(reading.total, 1000u);
    reading = readHexText(text + L"zz", 10);
    EXPECT_EQ(reading.problem, HexTextReading::Problem::NotHex) << "junk past the limit still counts";
}

TEST(HexText, ReadsPlainTextInTheCharacterViewsSet)
{
    const CharTextReading reading = readCharText(L"Zażółć?ж", 100);
    EXPECT_EQ(reading.bytes, (std::vector<std::uint8_t>{'Z', 'a', 0xBF, 0xF3, 0xB3, 0xE6, '?', '?'}));
    EXPECT_EQ(reading.firstForeign, 7u);
    EXPECT_EQ(reading.total, 8u);
    EXPECT_EQ(readCharText(L"abcdef", 4).bytes.size(), 4u);
}

TEST(HexText, CopiesTheHexadecimalCellsRowByRowAndReadsThemBack)
{
    ByteStore store(64);
    for (std::size_t k = 0; k < 64; ++k)
        store.setByte(k, std::uint8_t(0x30 + k));
    store.emptyCell(19);
    store.editHexCell(20, L"1ff");
    const CellBlock block{2, 3, 2}; // bytes 2-4 and 18-20
    const std::wstring text = hexCopyText(store, {block});
    EXPECT_EQ(text, L"32 33 34\n42 ?? FF");
    EXPECT_EQ(readHexText(text, 100).cells, (std::vector<int>{0x32, 0x33, 0x34, 0x42, A, 0xFF}));
    // A run across a row end, selected as two blocks given in any order.
    EXPECT_EQ(hexCopyText(store, {CellBlock::run(16, 2), CellBlock::run(14, 2)}), L"3E 3F\n40 41");
}

TEST(HexText, CopiesTheCharactersAsTheViewShowsThem)
{
    ByteStore store(32);
    const std::uint8_t bytes[] = {'O', 'k', 0x0A, 0xB9, 0xFF};
    for (std::size_t k = 0; k < 5; ++k)
        store.setByte(14 + k, bytes[k]);
    EXPECT_EQ(charCopyText(store, {CellBlock::run(14, 5)}), L"Ok.ą.");
    EXPECT_EQ(charCopyText(store, {CellBlock{14, 2, 2}}), L"Ok.."); // 14-15, then the empty 30-31
}
