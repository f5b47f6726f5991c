#include "cli/ImageBuffer.h"

#include <algorithm>

void ImageBuffer::setCount(std::uint32_t count)
{
    // Like the grid, which grows to hold a count typed into its field.
    count_ = count;
    store_.grow(cellsForByteCount(count));
}

void ImageBuffer::holdImage(const MemoryImage& image)
{
    createGrid(std::uint32_t(image.size()));
    for (std::size_t k = 0; k < image.size(); ++k)
        if (image.filled[k])
            store_.setByte(k, image.bytes[k]);
}

std::vector<std::uint8_t> ImageBuffer::image(std::uint32_t count) const
{
    std::vector<std::uint8_t> bytes(count);
    for (std::uint32_t k = 0; k < count; ++k)
        bytes[k] = store_.getByte(k);
    return bytes;
}

std::vector<std::uint32_t> ImageBuffer::redCells() const
{
    std::vector<std::uint32_t> red;
    for (std::uint32_t k = 0; k < store_.capacity(); ++k)
        if (store_.isRed(k))
            red.push_back(k);
    return red;
}

void ImageBuffer::createGrid(std::uint32_t count)
{
    store_ = ByteStore(cellsForByteCount(count));
    count_ = count;
    touchedEnd_ = 0;
}

void ImageBuffer::setByte(std::uint32_t offset, std::uint8_t value)
{
    store_.setByte(offset, value);
    touch(offset);
}

std::uint8_t ImageBuffer::getByte(std::uint32_t offset)
{
    touch(offset);
    return store_.getByte(offset);
}

bool ImageBuffer::isEmpty(std::uint32_t offset)
{
    touch(offset);
    return store_.isHexEmpty(offset);
}

void ImageBuffer::markRed(std::uint32_t offset) { store_.markRed(offset); }

void ImageBuffer::repaint()
{
    if (wordDone_)
        wordDone_(std::min(count_, (touchedEnd_ + 1) & ~1u));
}
