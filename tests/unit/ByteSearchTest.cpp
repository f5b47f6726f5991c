// Finding bytes: patterns with wildcards, the way round the end of the buffer
// in both directions, empty cells, red cells, and the patterns refused.
#include <gtest/gtest.h>

#include "store/ByteSearch.h"
#include "store/HexText.h"

namespace {

// 64 cells holding 0x00 to 0x3F; the last eight empty.
ByteStore countingStore()
{
    ByteStore store(64);
    for (std::size_t k = 0; k < 56; ++k)
        store.setByte(k, std::uint8_t(k));
    return store;
}

std::vector<int> hex(const wchar_t* text) { return readHexPattern(text).cells; }

} // namespace

TEST(ByteSearch, FindsPatternsWithWildcardsGoingRoundOnce)
{
    ByteStore store = countingStore();
    store.setByte(40, 0x0E); // a second place for 0E 0F
    store.setByte(41, 0x0F);
    const auto forward = SearchDirection::Forward;
    const auto backward = SearchDirection::Backward;
    struct Case {
        const wchar_t* pattern;
        std::size_t start;
        SearchDirection direction;
        std::size_t index;
        bool wrapped;
    };
    const Case cases[] = {
        {L"0E 0F", 0, forward, 14, false},
        {L"0E 0F", 14, forward, 14, false},  // the start itself is tried first
        {L"0E 0F", 15, forward, 40, false},
        {L"0E 0F", 41, forward, 14, true},   // round the end
        {L"0E 0F", 39, backward, 14, false},
        {L"0E 0F", 13, backward, 40, true},  // round the start
        {L"0F ?? 11", 0, forward, 15, false}, // 0F 10 11 across a row end
        {L"?? ?? 37", 0, forward, 53, false},
    };
    for (const Case& c : cases) {
        const auto hit = findPattern(store, hex(c.pattern), c.start, c.direction);
        ASSERT_TRUE(hit) << testing::PrintToString(std::wstring(c.pattern)) << " from " << c.start;
        EXPECT_EQ(hit->index, c.index) << testing::PrintToString(std::wstring(c.pattern)) << " from " << c.start;
        EXPECT_EQ(hit->wrapped, c.wrapped) << testing::PrintToString(std::wstring(c.pattern)) << " from " << c.start;
    }
}

TEST(ByteSearch, EmptyCellsMatchOnlyWildcardsAndNothingLongerThanTheBufferIsFound)
{
    ByteStore store = countingStore();
    EXPECT_FALSE(findPattern(store, hex(L"37 00"), 0, SearchDirection::Forward)) << "cell 56 is empty";
    const auto hit = findPattern(store, hex(L"37 ??"), 0, SearchDirection::Forward);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 55u);
    EXPECT_FALSE(findPattern(store, std::vector<int>(65, ANY_BYTE), 0, SearchDirection::Forward));
    EXPECT_FALSE(findPattern(store, hex(L"3F"), 0, SearchDirection::Forward));
    EXPECT_FALSE(findPattern(ByteStore(0), hex(L"00"), 0, SearchDirection::Forward));
}

TEST(ByteSearch, PatternsThatCannotBeSearchedSayWhy)
{
    struct Case {
        const wchar_t* text;
        bool hexHalf;
        SearchPattern::Problem problem;
        const wchar_t* detail;
    };
    const Case cases[] = {
        {L"ABC", true, SearchPattern::Problem::OddDigits, L"ABC"},
        {L"12 ?? xy", true, SearchPattern::Problem::NotHex, L"xy"},
        {L"?? ??", true, SearchPattern::Problem::OnlyWildcards, L""},
        {L"  ", true, SearchPattern::Problem::Empty, L""},
        {L"", false, SearchPattern::Problem::Empty, L""},
        {L"ok ж", false, SearchPattern::Problem::ForeignCharacter, L"ж"},
    };
    for (const Case& c : cases) {
        const SearchPattern pattern = c.hexHalf ? readHexPattern(c.text) : readTextPattern(c.text);
        EXPECT_EQ(pattern.problem, c.problem) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(pattern.detail, c.detail) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(ByteSearch, FindsTheNextRedCellEitherWay)
{
    ByteStore store(64);
    store.markRed(10);
    store.markRed(50);
    struct Case {
        std::size_t start;
        SearchDirection direction;
        std::size_t index;
        bool wrapped;
    };
    const Case cases[] = {
        {0, SearchDirection::Forward, 10, false},  {11, SearchDirection::Forward, 50, false},
        {51, SearchDirection::Forward, 10, true},  {49, SearchDirection::Backward, 10, false},
        {9, SearchDirection::Backward, 50, true},
    };
    for (const Case& c : cases) {
        const auto hit = findRedCell(store, c.start, c.direction);
        ASSERT_TRUE(hit) << c.start;
        EXPECT_EQ(hit->index, c.index) << c.start;
        EXPECT_EQ(hit->wrapped, c.wrapped) << c.start;
    }
    EXPECT_FALSE(findRedCell(ByteStore(64), 0, SearchDirection::Forward));
}
