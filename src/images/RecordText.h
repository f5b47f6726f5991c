// The text both record formats share: lines of hexadecimal digit pairs after a
// one-character mark ('S' or ':'), each ending in a checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "images/RecordRead.h"

struct RecordLine {
    std::size_t number = 0; // 1-based, counting empty lines too
    std::string_view text;  // without the line end and the blanks around it
};

// The non-empty lines of a file's content, one at a time, so that a look at
// the first lines of a large binary file costs no more than those lines. Lines
// end in LF, CR LF or CR; spaces and tabs around a line and the end-of-file mark
// (Ctrl+Z) of old DOS tools are not part of it.
class RecordLines {
public:
    explicit RecordLines(std::string_view content);
    // The next non-empty line; false after the last one.
    bool next(RecordLine& line);

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// Decodes `digits` (upper- or lower-case pairs) of `line`, which start at
// column `firstColumn` of it, into `bytes`. The error names the first character
// that is no hexadecimal digit; an odd last digit is left for the caller's
// length check.
RecordError decodeHexPairs(const RecordLine& line, std::size_t firstColumn, std::vector<std::uint8_t>& bytes);

// A problem of the record on `line`.
RecordError lineError(RecordProblem problem, const RecordLine& line);
// The problem of a record on `line` after the end record on `endLine`.
RecordError recordAfterEnd(const RecordLine& line, std::size_t endLine);
// None when the line is `expected` characters long; otherwise too short or too long.
RecordError checkLineLength(const RecordLine& line, std::size_t expected);

// None when the checksum on the line is the one its bytes give.
RecordError checkChecksum(const RecordLine& line, std::uint8_t onLine, std::uint8_t computed);

// The bytes added up, as both checksums start.
unsigned byteSum(std::span<const std::uint8_t> bytes);

// Appends each byte as two upper-case hexadecimal digits.
void appendHexBytes(std::string& text, std::span<const std::uint8_t> bytes);
