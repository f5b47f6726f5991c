// Placing record bytes by address, with the checks every record file needs.
#include "images/ImageAssembler.h"

#include <algorithm>

namespace {

constexpr std::uint32_t ADDRESS_SPACE = MAX_IMAGE_ADDRESS + 1;
constexpr std::uint32_t ROW_BYTES = 16;

} // namespace

ImageAssembler::ImageAssembler() : bytes_(ADDRESS_SPACE), lineOf_(ADDRESS_SPACE) {}

RecordError ImageAssembler::place(std::uint64_t address, std::span<const std::uint8_t> bytes, std::size_t line)
{
    if (bytes.empty())
        return {};
    const std::uint64_t last = address + bytes.size() - 1;
    if (last > MAX_IMAGE_ADDRESS) {
        RecordError error{RecordProblem::BeyondAddressSpace, line};
        error.address = address;
        error.lastAddress = last;
        return error;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t at = std::size_t(address) + i;
        if (lineOf_[at] != 0 && bytes_[at] != bytes[i]) {
            RecordError error{RecordProblem::Overlap, line};
            error.otherLine = lineOf_[at];
            error.address = at;
            return error;
        }
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t at = std::size_t(address) + i;
        bytes_[at] = bytes[i];
        if (lineOf_[at] == 0)
            lineOf_[at] = std::uint32_t(line);
    }
    lowest_ = std::min(lowest_, std::uint32_t(address));
    highest_ = std::max(highest_, std::uint32_t(last));
    return {};
}

MemoryImage ImageAssembler::image(std::string header) const
{
    MemoryImage image;
    image.header = std::move(header);
    if (!holdsData())
        return image;
    image.startAddress = lowest_ - lowest_ % ROW_BYTES;
    const std::size_t size = highest_ - image.startAddress + 1;
    image.bytes.assign(bytes_.begin() + image.startAddress, bytes_.begin() + image.startAddress + long(size));
    image.filled.resize(size);
    for (std::size_t k = 0; k < size; ++k)
        image.filled[k] = lineOf_[image.startAddress + k] != 0;
    return image;
}
