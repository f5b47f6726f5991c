// The content of a buffer grid: what each cell pair shows after writes and
// edits, and what a megabyte costs.
#include <cwchar>
#include <string>

#include <gtest/gtest.h>

#include "store/ByteStore.h"

TEST(ByteStore, FreshCellsAreEmpty)
{
    ByteStore store(32);
    EXPECT_EQ(store.hexText(0), L"");
    EXPECT_EQ(store.charText(31), L"");
    EXPECT_TRUE(store.isHexEmpty(5));
    EXPECT_FALSE(store.isHexPlain(5));
    EXPECT_EQ(store.getByte(5), 0);
}

TEST(ByteStore, SetByteShowsDigitsAndGlyph)
{
    struct Case {
        unsigned value;
        const wchar_t* hex;
        const wchar_t* glyph;
    };
    const Case cases[] = {
        {0x1F, L"1F", L"."}, {0x20, L"20", L" "}, {0x41, L"41", L"A"},
        {0x7F, L"7F", L"."}, {0x80, L"80", L"€"}, {0xFF, L"FF", L"."},
    };
    ByteStore store(16);
    for (const Case& c : cases) {
        store.setByte(3, std::uint8_t(c.value));
        EXPECT_EQ(store.hexText(3), c.hex);
        EXPECT_EQ(store.charText(3), c.glyph);
        EXPECT_EQ(store.getByte(3), c.value);
        EXPECT_FALSE(store.isHexEmpty(3));
    }
}

TEST(ByteStore, EditsOfEitherHalfAndTheirTwins)
{
    struct Case {
        bool hexHalf;
        const wchar_t* typed;
        const wchar_t* hex;
        const wchar_t* chars;
        unsigned value;
        bool hexEmpty;
    };
    const Case cases[] = {
        {true, L"a", L"0A", L".", 0x0A, false},   {true, L"g1", L"00", L".", 0x00, false},
        {true, L"1ff", L"1FF", L"˙", 0xFF, false}, {true, L"141", L"141", L"A", 0x41, false},
        {true, L"0ff", L"0FF", L".", 0xFF, false}, {true, L"17f", L"17F", L".", 0x7F, false},
        {true, L"", L"", L".", 0x00, true},        {true, L"b9", L"B9", L"ą", 0xB9, false},
        {false, L"A", L"41", L"A", 0x41, false},   {false, L"", L"00", L"", 0x00, false},
        {false, L"xyz", L"78", L"xyz", 0x78, false}, {false, L"ж", L"3F", L"ж", 0x3F, false},
    };
    for (const Case& c : cases) {
        ByteStore store(16);
        store.setByte(7, 0x55);
        if (c.hexHalf)
            store.editHexCell(7, c.typed);
        else
            store.editCharCell(7, c.typed);
        const auto label = testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(store.hexText(7), c.hex) << label;
        EXPECT_EQ(store.charText(7), c.chars) << label;
        EXPECT_EQ(store.getByte(7), c.value) << label;
        EXPECT_EQ(store.isHexEmpty(7), c.hexEmpty) << label;
        // Plain exactly when the text is the byte's two digits.
        const bool twoDigits = std::wstring(c.hex).size() == 2 && std::wcstoul(c.hex, nullptr, 16) == c.value;
        EXPECT_EQ(store.isHexPlain(7), twoDigits) << label;
        // A later plain write forgets the odd texts.
        store.setByte(7, 0x30);
        EXPECT_EQ(store.hexText(7), L"30") << label;
        EXPECT_TRUE(store.isHexPlain(7)) << label;
        EXPECT_EQ(store.charText(7), L"0") << label;
    }
}

TEST(ByteStore, RedMarksSurviveWritesAndNothingPastTheCapacityIsTouched)
{
    ByteStore store(16);
    store.markRed(4);
    store.setByte(4, 0x12);
    EXPECT_TRUE(store.isRed(4));
    EXPECT_FALSE(store.isRed(5));

    store.setByte(16, 0x12);
    store.markRed(16);
    store.editHexCell(99, L"12");
    EXPECT_EQ(store.capacity(), 16u);
    EXPECT_EQ(store.getByte(16), 0);
    EXPECT_TRUE(store.isHexEmpty(16));
    EXPECT_FALSE(store.isHexPlain(16));
}

TEST(ByteStore, GrowingKeepsTheBytesAndAddsEmptyCells)
{
    ByteStore store(16);
    store.setByte(15, 0xAB);
    store.grow(48);
    store.grow(32); // never shrinks
    EXPECT_EQ(store.capacity(), 48u);
    EXPECT_EQ(store.hexText(15), L"AB");
    EXPECT_EQ(store.hexText(16), L"");
    EXPECT_EQ(store.charText(47), L"");
}

TEST(ByteStore, AMegabyteCostsTwoMegabytes)
{
    constexpr std::size_t MIB = 1 << 20;
    ByteStore store(MIB);
    for (std::size_t k = 0; k < MIB; ++k)
        store.setByte(k, std::uint8_t(k));
    store.editHexCell(10, L"1ff");
    store.editCharCell(11, L"");
    EXPECT_LE(store.memoryBytes(), 2 * MIB + 4096);
    EXPECT_EQ(store.hexText(MIB - 1), L"FF");
}
