// What reading an S-record or Intel HEX file gives: the image, or the first
// problem found, with the line it is on. A problem is a value with its numbers;
// the faces put it into words (describeRecordError).
#pragma once

#include <cstddef>
#include <cstdint>

#include "images/MemoryImage.h"

enum class RecordProblem {
    None,
    NotARecord,         // the line does not begin as a record of the format
    NotHexDigit,        // column (1-based) and character: where a digit was expected
    LineTooShort,       // found: the line's length; expected: what its record needs
    LineTooLong,        // as LineTooShort
    BadLength,          // found: the length byte, which cannot be right for recordType
    BadChecksum,        // found: the checksum on the line; expected: what the bytes add up to
    UnknownType,        // recordType: a type the format does not have
    AfterEnd,           // otherLine: the end record that came before this one
    CountMismatch,      // found: the count the record gives; expected: the data records before it
    BeyondAddressSpace, // address to lastAddress: the record's bytes, some above 0xFFFF
    Overlap,            // otherLine: the earlier record; address: the first byte they disagree on
    NoEndRecord,        // the file ends without its end record (Intel HEX: type 01)
    NoData,             // no data record anywhere in the file
};

struct RecordError {
    RecordProblem problem = RecordProblem::None;
    std::size_t line = 0;      // 1-based line of the record at fault; 0 for the whole file
    std::size_t otherLine = 0;
    std::size_t column = 0;
    char character = 0;
    std::uint8_t recordType = 0; // S-records: the digit after S; Intel HEX: the type byte
    std::uint64_t address = 0;
    std::uint64_t lastAddress = 0;
    std::uint64_t found = 0;
    std::uint64_t expected = 0;
};

struct RecordRead {
    MemoryImage image; // empty unless ok()
    RecordError error;
    bool ok() const { return error.problem == RecordProblem::None; }
};
