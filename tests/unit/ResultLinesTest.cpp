#include <gtest/gtest.h>

#include "texts/ResultLines.h"

namespace {

std::string u8(Text text) { return toStdString(text); }

} // namespace

TEST(ResultLines, LoadLineBelowOneKilobyteCountsBytes)
{
    const struct {
        std::uint64_t bytes;
        const char8_t* line;
    } cases[] = {
        {0, u8"Wczytano 0  bajtów."},   {1, u8"Wczytano 1  bajt."},       {2, u8"Wczytano 2  bajty."},
        {3, u8"Wczytano 3  bajty."},    {4, u8"Wczytano 4  bajtów."},     {10, u8"Wczytano 10  bajtów."},
        {22, u8"Wczytano 22  bajtów."}, {100, u8"Wczytano 100  bajtów."}, {512, u8"Wczytano 512  bajtów."},
        {1023, u8"Wczytano 1023  bajtów."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loadResultLine(c.bytes), u8(c.line)) << c.bytes;
}

TEST(ResultLines, LoadLineFromOneKilobyteShowsKilobytes)
{
    const struct {
        std::uint64_t bytes;
        const char* size; // zeros after the point go before the cut, not after it
    } cases[] = {
        {1024, "1"},   {1025, "1.00"}, {1026, "1.00"},  {1088, "1.06"},  {1152, "1.12"},     {1280, "1.25"},
        {1536, "1.5"}, {2560, "2.5"},  {3000, "2.92"},  {10240, "10"},   {65536, "64"},      {70000, "68.35"},
        {102400, "100"}, {1048576, "1024"}, {9999999, "9765.62"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loadResultLine(c.bytes), std::string("Wczytano ") + c.size + "  KB") << c.bytes;
}

TEST(ResultLines, EachCommandHasItsOwnRuleForFewBytes)
{
    const struct {
        std::uint64_t count;
        Text read; // 2 to 4 take "bajty"
        Text write; // only 2 and 3 take "bajty"
    } cases[] = {
        {0, texts::UNIT_BYTES_MANY, texts::UNIT_BYTES_MANY}, {1, texts::UNIT_BYTE, texts::UNIT_BYTE},
        {2, texts::UNIT_BYTES_FEW, texts::UNIT_BYTES_FEW},   {3, texts::UNIT_BYTES_FEW, texts::UNIT_BYTES_FEW},
        {4, texts::UNIT_BYTES_FEW, texts::UNIT_BYTES_MANY},  {5, texts::UNIT_BYTES_MANY, texts::UNIT_BYTES_MANY},
        {22, texts::UNIT_BYTES_MANY, texts::UNIT_BYTES_MANY}, {2048, texts::UNIT_BYTES_MANY, texts::UNIT_BYTES_MANY},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(u8(readUnit(c.count)), u8(c.read)) << c.count;
        EXPECT_EQ(u8(writeUnit(c.count)), u8(c.write)) << c.count;
    }
}

TEST(ResultLines, ReadAndWriteLinesAsTheStatusBarShowsThem)
{
    EXPECT_EQ(readResultLine(4), u8(u8"Przeczytano  4  bajty."));
    EXPECT_EQ(readResultLine(2048), u8(u8"Przeczytano  2048  bajtów."));
    EXPECT_EQ(readResultLine(1), u8(u8"Przeczytano  1  bajt."));
    EXPECT_EQ(writeResultLine(4), u8(u8"Zapisano  4  bajtów."));
    EXPECT_EQ(writeResultLine(2), u8(u8"Zapisano  2  bajty."));
    EXPECT_EQ(writeResultLine(200), u8(u8"Zapisano  200  bajtów."));
}

TEST(ResultLines, ComparisonSummaryWords)
{
    const struct {
        std::int64_t differences;
        const char8_t* summary;
    } cases[] = {
        {1, u8"Razem:  1  różnica."},  {2, u8"Razem:  2  różnice."},   {3, u8"Razem:  3  różnice."},
        {4, u8"Razem:  4  różnice."},  {5, u8"Razem:  5  różnic."},    {12, u8"Razem:  12  różnic."},
        {22, u8"Razem:  22  różnic."}, {65536, u8"Razem:  65536  różnic."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(comparisonSummary(c.differences), u8(c.summary)) << c.differences;
    EXPECT_EQ(u8(differencesWord(0)), u8(texts::COMPARE_MANY));
}

TEST(ResultLines, AnAddressedLoadShowsTheRangeOfItsBytes)
{
    EXPECT_EQ(loadedAddressesLine(0x0803, 0x0820), u8(u8"Adresy 0803–0820"));
    EXPECT_EQ(loadedAddressesLine(0, 0xFFFF), u8(u8"Adresy 0000–FFFF"));
}
