// Comparing two buffers: the result copies the first one's bytes, marks in red
// what differs from the second, and counts it; cells are compared as texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Comparison.h"

namespace {

struct CountingProgress : Progress {
    std::vector<std::string> calls;
    void progressStart(std::uint32_t total) override { calls.push_back("start " + std::to_string(total)); }
    void progressStep() override { calls.push_back("step"); }
    void progressFinish() override { calls.push_back("finish"); }
};

} // namespace

TEST(Comparison, CellsAreComparedAsWholeTextsWithoutRegardToCase)
{
    struct CellCase {
        const wchar_t* inFirst;
        const wchar_t* inSecond;
        const wchar_t* result;
        bool red;
    };
    const CellCase cases[] = {
        {L"", L"", L"", false},      // skipped: stays empty
        {L"", L"00", L"00", true},   // empty is not "00"
        {L"00", L"", L"00", true},
        {L"1FF", L"FF", L"FF", true}, // left so by editing; the value is read from the first
        {L"FF", L"1ff", L"FF", true},
        {L"7f", L"7F", L"7F", false},
        {L"0A", L"0A", L"0A", false},
    };
    ByteStore first(16), second(16), result(16);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        first.editHexCell(k, cases[k].inFirst);
        second.editHexCell(k, cases[k].inSecond);
    }
    CountingProgress progress;
    EXPECT_EQ(compareBuffers(first, second, result, progress), 4);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(result.hexText(k), cases[k].result);
        EXPECT_EQ(result.isRed(k), cases[k].red);
    }
    EXPECT_EQ(progress.calls.size(), 17u); // a start and a step for every cell, skipped or not
    EXPECT_EQ(progress.calls.front(), "start 16");
}

TEST(Comparison, OnlyTheRowsBothHaveAreComparedAndNothingPastTheResultIsWritten)
{
    ByteStore first(32), second(80), result(20);
    for (std::size_t k = 0; k < 80; ++k) {
        first.setByte(k, std::uint8_t(k)); // past 32: ignored by the store
        second.setByte(k, std::uint8_t(k));
    }
    second.setByte(3, 0xEE);
    second.setByte(25, 0xEE);
    second.setByte(40, 0xEE);
    CountingProgress progress;
    EXPECT_EQ(compareBuffers(first, second, result, progress), 2); // 40 lies past the first's rows
    EXPECT_EQ(progress.calls.front(), "start 32");
    EXPECT_TRUE(result.isRed(3));
    EXPECT_EQ(result.getByte(3), 3);
    EXPECT_FALSE(result.isRed(25)); // past the result's cells: counted, not written
    EXPECT_TRUE(result.isHexEmpty(25));
}
