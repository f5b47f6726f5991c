// What every record reader must do with any input: refuse it with a problem
// and no bytes, or give an image that lies in the 16-bit address space, starts
// on a row and ends on a given byte, and that its own writer gives back unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "images/RecordRead.h"

template <typename Read, typename Write>
void checkRecordReader(const std::uint8_t* data, std::size_t size, Read read, Write write)
{
    const RecordRead first = read(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.ok()) {
        if (!first.image.bytes.empty())
            std::abort();
        return;
    }
    const MemoryImage& image = first.image;
    if (image.size() == 0 || image.filled.size() != image.size() || image.startAddress % 16 != 0 ||
        image.startAddress + image.size() - 1 > MAX_IMAGE_ADDRESS || !image.filled.back())
        std::abort();
    const RecordRead again = read(write(image));
    if (!again.ok() || again.image.startAddress != image.startAddress || again.image.bytes != image.bytes ||
        again.image.filled != image.filled || again.image.header != image.header)
        std::abort();
}
