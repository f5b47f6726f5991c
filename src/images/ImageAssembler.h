// Where the data records of one file land: each byte at its address in the
// 16-bit address space, with the line that gave it, so that a byte given twice
// is refused unless both records agree and a byte above 0xFFFF is refused with
// the record that holds it. Both record readers build their images here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "images/MemoryImage.h"
#include "images/RecordRead.h"

class ImageAssembler {
public:
    ImageAssembler();

    // Puts the bytes of the data record on `line` at `address` on; nothing is
    // placed when the record is refused.
    RecordError place(std::uint64_t address, std::span<const std::uint8_t> bytes, std::size_t line);

    bool holdsData() const { return highest_ >= lowest_; }

    // The image from the lowest given address to the highest, its start rounded
    // down to a multiple of 16: the grid's rows then begin at round addresses
    // (the column labels are the addresses' last digit), and the start is even,
    // as the word-wise write procedure needs (it would move an odd start up by
    // one, and every byte with it). The bytes before the first given one are gaps.
    MemoryImage image(std::string header) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> lineOf_; // 0: no record gave this address yet
    std::uint32_t lowest_ = MAX_IMAGE_ADDRESS + 1;
    std::uint32_t highest_ = 0;
};
