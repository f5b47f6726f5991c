// Intel HEX files (.hex, .ihx). A line is ":", a length byte (the data bytes),
// a 16-bit offset, a type byte, data and a checksum (the two's complement of
// the sum of all other bytes):
//   00 data, 01 end of file, 02 segment base (offset + 16 x base), 04 linear
//   base (offset + 65536 x base), 03 and 05 start addresses.
#pragma once

#include <string>
#include <string_view>

#include "images/MemoryImage.h"
#include "images/RecordRead.h"

// Reads every record of `content`, with either kind of base. The start
// addresses (03, 05) are read and ignored. The file must end in its end
// record: a file cut short loses its last records, and without the end record
// nothing would show it. Lower-case digits and CR LF or CR line ends are read too.
RecordRead readIntelHex(std::string_view content);

// The file for `image`: type 00 records of at most 16 bytes and the end
// record; no base records, as every address fits 16 bits. Upper-case digits,
// LF line ends. Every given byte of the image must lie at or below MAX_IMAGE_ADDRESS.
std::string writeIntelHex(const MemoryImage& image);
