// Counting and walking the given bytes of a memory image.
#include "images/MemoryImage.h"

#include <algorithm>

std::size_t MemoryImage::filledCount() const { return std::size_t(std::count(filled.begin(), filled.end(), true)); }

std::optional<std::uint64_t> MemoryImage::firstFilledAddress() const
{
    const auto first = std::find(filled.begin(), filled.end(), true);
    if (first == filled.end())
        return std::nullopt;
    return std::uint64_t(startAddress) + std::uint64_t(first - filled.begin());
}

std::optional<std::uint64_t> MemoryImage::lastFilledAddress() const
{
    const auto last = std::find(filled.rbegin(), filled.rend(), true);
    if (last == filled.rend())
        return std::nullopt;
    return std::uint64_t(startAddress) + std::uint64_t(filled.rend() - last - 1);
}

MemoryImage wholeImage(std::uint32_t startAddress, std::vector<std::uint8_t> bytes)
{
    MemoryImage image;
    image.startAddress = startAddress;
    image.filled.assign(bytes.size(), true);
    image.bytes = std::move(bytes);
    return image;
}

void forEachRecordPiece(const MemoryImage& image, std::size_t maxBytes, const RecordPiece& piece)
{
    std::size_t k = 0;
    while (k < image.size()) {
        if (!image.filled[k]) {
            ++k;
            continue;
        }
        const std::uint64_t address = std::uint64_t(image.startAddress) + k;
        const std::size_t untilRoundAddress = maxBytes - std::size_t(address % maxBytes);
        std::size_t end = k + 1;
        while (end < image.size() && end - k < untilRoundAddress && image.filled[end])
            ++end;
        piece(std::uint32_t(address), std::span(image.bytes).subspan(k, end - k));
        k = end;
    }
}
