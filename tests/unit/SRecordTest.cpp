// S-record files: every record type read and placed by address, every kind of
// broken line refused with its line, and the files the program writes.
#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "images/SRecord.h"

namespace {

// Data at 0803..0805 (S1), 0810..0811 (S2) and 0820 (S3), with a header, a count and a start record.
const char* const MIXED_WIDTHS = "S0060000686472BB\n"
                                 "S1060803010203E8\n"
                                 "S2060008100405D8\n"
                                 "S3060000082006CB\n"
                                 "S5030003F9\n"
                                 "S9030803F1\n";

const AddressBytes MIXED_BYTES = {{0x0803, 1}, {0x0804, 2}, {0x0805, 3}, {0x0810, 4}, {0x0811, 5}, {0x0820, 6}};

} // namespace

TEST(SRecordTest, ReadsEveryWidthAndPlacesEachByteAtItsAddress)
{
    const RecordRead read = readSRecords(MIXED_WIDTHS);
    expectPlaced(read, MIXED_BYTES);
    EXPECT_EQ(read.image.startAddress, 0x0800u);
    EXPECT_FALSE(read.image.filled[0x0806 - 0x800]) << "a gap between records must stay a gap";
    EXPECT_EQ(read.image.header, "hdr");
}

TEST(SRecordTest, ReadsTheVariantsToolsWriteAndRecordsThatAgree)
{
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"S5 and no start record, as srec_cat writes",
         "S0060000686472BB\nS1060803010203E8\nS2060008100405D8\nS3060000082006CB\nS5030003F9\n"},
        {"S6 count and S8 start", "S1060803010203E8\nS2060008100405D8\nS3060000082006CB\nS604000003F8\nS804000803F0\n"},
        {"S7 start, no count", "S1060803010203E8\nS2060008100405D8\nS3060000082006CB\nS70500000803EF\n"},
        {"CR LF, lower case, blanks, empty lines and a DOS end mark",
         "S0060000686472bb\r\n\r\n  S1060803010203e8 \r\nS2060008100405d8\r\n\tS3060000082006cb\r\nS9030803F1\r\n\x1a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectPlaced(readSRecords(c.text), MIXED_BYTES);
    }
    EXPECT_EQ(readSRecords("S1060803010203E8\n").image.header, "") << "no S0, no header";

    // 0804 and 0805 given again, alike, and 0806 new.
    AddressBytes repeated = MIXED_BYTES;
    repeated[0x0806] = 9;
    expectPlaced(readSRecords("S1060803010203E8\nS1060804020309DF\nS2060008100405D8\nS3060000082006CB\n"), repeated);
}

TEST(SRecordTest, EachBrokenLineIsRefusedWithItsLine)
{
    const RefusedFile files[] = {
        {"bad checksum", "S0060000686472BB\nS1060803010203E9\n", RecordProblem::BadChecksum, 2, 0xE9, 0xE8},
        {"too short", "S1060803010203E8\nS10608030102E8\n", RecordProblem::LineTooShort, 2, 14, 16},
        {"too short for a length byte", "S1060803010203E8\nS1\n", RecordProblem::LineTooShort, 2, 2, 10},
        {"too long", "S1060803010203E8\nS1060803010203E8E8\n", RecordProblem::LineTooLong, 2, 18, 16},
        {"odd digit count", "S1060803010203E8\nS1060803010203E8E\n", RecordProblem::LineTooLong, 2, 17, 16},
        {"length byte too small for S1", "S10208F5\n", RecordProblem::BadLength, 1, 2},
        {"length byte wrong for S9", "S1060803010203E8\nS904080300F0\n", RecordProblem::BadLength, 2, 4},
        {"count that disagrees", "S1060803010203E8\nS5030002FA\n", RecordProblem::CountMismatch, 2, 2, 1},
        {"S4", "S1060803010203E8\nS4030000FC\n", RecordProblem::UnknownType, 2},
        {"no record", "S1060803010203E8\nhello\n", RecordProblem::NotARecord, 2},
        {"data after the start record", "S1060803010203E8\nS9030803F1\n\nS2060008100405D8\n",
         RecordProblem::AfterEnd, 4},
        {"no data record", "S0060000686472BB\nS9030000FC\n", RecordProblem::NoData, 0},
        {"an S2 above FFFF", "S1060803010203E8\nS20501000001F8\n", RecordProblem::BeyondAddressSpace, 2},
        {"an S1 that runs past FFFF", "S105FFFF0102F9\n", RecordProblem::BeyondAddressSpace, 1},
        {"records that disagree", "S1060803010203E8\nS2060008100405D8\nS104080507E7\n", RecordProblem::Overlap, 3},
    };
    for (const RefusedFile& file : files)
        expectRefused(readSRecords(file.text), file);
}

TEST(SRecordTest, ProblemsSayWhereAndWhat)
{
    const RecordError notHex = readSRecords("S1060803010203E8\nS10608030G0203E8\n").error;
    EXPECT_EQ(notHex.problem, RecordProblem::NotHexDigit);
    EXPECT_EQ(notHex.line, 2u);
    EXPECT_EQ(notHex.column, 10u);
    EXPECT_EQ(notHex.character, 'G');

    const RecordError afterEnd = readSRecords("S1060803010203E8\nS9030803F1\nS9030803F1\n").error;
    EXPECT_EQ(afterEnd.otherLine, 2u);

    const RecordError beyond = readSRecords("S105FFFF0102F9\n").error;
    EXPECT_EQ(beyond.address, 0xFFFFu);
    EXPECT_EQ(beyond.lastAddress, 0x10000u);

    const RecordError overlap = readSRecords("S1060803010203E8\nS2060008100405D8\nS104080507E7\n").error;
    EXPECT_EQ(overlap.otherLine, 1u);
    EXPECT_EQ(overlap.address, 0x0805u);

    EXPECT_EQ(readSRecords("S4030000FC\n").error.recordType, 4);
}

TEST(SRecordTest, WritesHeaderRecordsOfAtMost32BytesCountAndStart)
{
    AddressBytes given;
    for (std::uint32_t a = 0x0810; a < 0x0835; ++a) // a record ends at the round address 0820
        given[a] = std::uint8_t(a);
    given[0x0840] = 0xAB; // after a gap
    const MemoryImage image = imageOf(given);
    EXPECT_EQ(writeSRecords(image, "Rovidada DE12"), "S0100000526F7669646164612044453132B9\n"
                                    "S1130810101112131415161718191A1B1C1D1E1F5C\n"
                                    "S1180820202122232425262728292A2B2C2D2E2F30313233344D\n"
                                    "S1040840AB08\n"
                                    "S5030003F9\n"
                                    "S9030000FC\n");

    std::string headerDigits;
    for (int i = 0; i < 252; ++i)
        headerDigits += "78";
    // More than a record holds: its first 252 bytes.
    EXPECT_TRUE(writeSRecords(image, std::string(300, 'x')).starts_with("S0FF0000" + headerDigits + "E0\n"));
}

TEST(SRecordTest, WhatIsWrittenReadsBackTheSame)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        const MemoryImage image = imageOf(bytesOf(randomRuns(seed)));
        const std::string header = "seed " + std::to_string(seed);
        const RecordRead read = readSRecords(writeSRecords(image, header));
        expectPlaced(read, givenBytes(image));
        EXPECT_EQ(read.image.header, header);
    }
}
