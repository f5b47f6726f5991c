// Motorola S-record files (.s19, .s28, .s37, .mot, .srec), as HC12 and MC9S12
// tool chains write them. A line is "S", the record type, a length byte (the
// bytes that follow), an address of 2, 3 or 4 bytes, data and a checksum (the
// ones' complement of the sum of the bytes from the length byte on):
//   S0 header (free text), S1/S2/S3 data, S5/S6 the number of data records so
//   far, S7/S8/S9 the start address, which ends the file.
#pragma once

#include <string>
#include <string_view>

#include "images/MemoryImage.h"
#include "images/RecordRead.h"

// Reads every record of `content`; widths may be mixed. The file need not end
// in a start record (srec_cat ends its files with S5), but nothing may follow
// one. Counts are checked where given, and so is every checksum. Lower-case
// digits and CR LF or CR line ends are read as well.
RecordRead readSRecords(std::string_view content);

// The file for `image`: an S0 header holding `header` (its first 252 bytes, as
// many as a record holds), S1 records of at most 32 bytes, the S5 count and an
// S9 start record with address 0. Upper-case digits, LF line ends. Every given
// byte of the image must lie at or below MAX_IMAGE_ADDRESS.
std::string writeSRecords(const MemoryImage& image, std::string_view header);
