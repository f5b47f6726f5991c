// Intel HEX files: every record type read, both kinds of base, every kind of
// broken line refused with its line, and the files the program writes.
#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "images/IntelHex.h"

namespace {

// 0803..0805 plainly, 0810..0811 through a segment base of 0800, 0820 after a
// linear base of 0, then both start records and the end.
const char* const ALL_TYPES = ":03080300010203EC\n"
                              ":0200000200807C\n"
                              ":020010000405E5\n"
                              ":020000040000FA\n"
                              ":0108200006D1\n"
                              ":0400000300000803EE\n"
                              ":0400000500000803EC\n"
                              ":00000001FF\n";

const AddressBytes ALL_TYPES_BYTES = {{0x0803, 1}, {0x0804, 2}, {0x0805, 3}, {0x0810, 4}, {0x0811, 5}, {0x0820, 6}};

} // namespace

TEST(IntelHexTest, ReadsEveryRecordTypeAndPlacesEachByteAtItsAddress)
{
    expectPlaced(readIntelHex(ALL_TYPES), ALL_TYPES_BYTES);
    expectPlaced(readIntelHex(":03080300010203ec\r\n\r\n :0200000200807c\r\n:020010000405e5\r\n:020000040000fa\r\n"
                              ":0108200006d1 \r\n:00000001ff\r\n\x1a"),
                 ALL_TYPES_BYTES);
    const RecordRead oldMac = readIntelHex(":03080300010203EC\r:0200000200807C\r\r:020010000405E5\r:0108200006D2\r");
    EXPECT_EQ(oldMac.error.line, 5u) << "CR alone ends a line too";
}

TEST(IntelHexTest, EachBrokenLineIsRefusedWithItsLine)
{
    const RefusedFile files[] = {
        {"bad checksum", ":03080300010203EC\n:0108200006D2\n:00000001FF\n", RecordProblem::BadChecksum, 2, 0xD2,
         0xD1},
        {"too short", ":03080300010203EC\n:030803000102EC\n:00000001FF\n", RecordProblem::LineTooShort, 2, 15, 17},
        {"too short for a record", ":0308\n", RecordProblem::LineTooShort, 1, 5, 11},
        {"too long", ":03080300010203ECEC\n:00000001FF\n", RecordProblem::LineTooLong, 1, 19, 17},
        {"end record with data", ":03080300010203EC\n:0100000100FE\n", RecordProblem::BadLength, 2, 1},
        {"segment base of one byte", ":0100000200FD\n:03080300010203EC\n:00000001FF\n", RecordProblem::BadLength, 1, 1},
        {"type 06", ":03080300010203EC\n:00000006FA\n:00000001FF\n", RecordProblem::UnknownType, 2},
        {"no record", ":03080300010203EC\nS1060803010203E8\n", RecordProblem::NotARecord, 2},
        {"data after the end", ":03080300010203EC\n:00000001FF\n:0108200006D1\n", RecordProblem::AfterEnd, 3},
        {"no end record", ":03080300010203EC\n", RecordProblem::NoEndRecord, 0},
        {"no data record", ":0400000500000803EC\n:00000001FF\n", RecordProblem::NoData, 0},
        {"a linear base of 1", ":020000040001F9\n:0100000001FE\n:00000001FF\n", RecordProblem::BeyondAddressSpace, 2},
        {"a record that runs past FFFF", ":02FFFF000102FD\n:00000001FF\n", RecordProblem::BeyondAddressSpace, 1},
        {"records that disagree", ":03080300010203EC\n:0108050007EB\n:00000001FF\n", RecordProblem::Overlap, 2},
    };
    for (const RefusedFile& file : files)
        expectRefused(readIntelHex(file.text), file);

    const RecordError beyond = readIntelHex(":020000040001F9\n:0100000001FE\n:00000001FF\n").error;
    EXPECT_EQ(beyond.address, 0x10000u);
    EXPECT_EQ(readIntelHex(":00000006FA\n").error.recordType, 6);
    const RecordError notHex = readIntelHex(":03080300010203EC\n:0308030001020\x07" "EC\n").error;
    EXPECT_EQ(notHex.problem, RecordProblem::NotHexDigit);
    EXPECT_EQ(notHex.column, 15u);
    EXPECT_EQ(notHex.character, '\x07');
}

TEST(IntelHexTest, WritesRecordsOfAtMost16BytesAndTheEnd)
{
    AddressBytes given;
    for (std::uint32_t a = 0x0810; a < 0x0835; ++a)
        given[a] = std::uint8_t(a);
    given[0x0840] = 0xAB;
    EXPECT_EQ(writeIntelHex(imageOf(given)), ":10081000101112131415161718191A1B1C1D1E1F60\n"
                                             ":10082000202122232425262728292A2B2C2D2E2F50\n"
                                             ":050830003031323334C9\n"
                                             ":01084000AB0C\n"
                                             ":00000001FF\n");
}

TEST(IntelHexTest, WhatIsWrittenReadsBackTheSame)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        const MemoryImage image = imageOf(bytesOf(randomRuns(seed)));
        expectPlaced(readIntelHex(writeIntelHex(image)), givenBytes(image));
    }
}
