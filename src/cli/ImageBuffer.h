// The command line's buffer: what the window's grid is to the procedures, kept
// in a byte store without a screen. It remembers the cells a procedure marked
// red (failed after a write, unstable in a read), and reports each word done.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "images/MemoryImage.h"
#include "procedures/TargetWindow.h"
#include "store/ByteStore.h"

class ImageBuffer : public TargetBuffer {
public:
    // wordDone: the bytes done so far, after each word of a read or write.
    explicit ImageBuffer(std::function<void(std::uint32_t)> wordDone) : wordDone_(std::move(wordDone)) {}

    // The range, as the start and count fields hand it to the grid.
    void setStart(std::uint16_t start) { start_ = start; }
    void setCount(std::uint32_t count);
    // A fresh buffer holding the image's bytes; its gaps stay empty cells,
    // which the write takes from the target.
    void holdImage(const MemoryImage& image);
    // The first `count` bytes (empty cells read 0).
    std::vector<std::uint8_t> image(std::uint32_t count) const;
    // The offsets of the cells marked red, in order.
    std::vector<std::uint32_t> redCells() const;

    std::uint32_t byteCount() override { return count_; }
    std::uint16_t startAddress() override { return start_; }
    std::uint32_t capacity() override { return std::uint32_t(store_.capacity()); }
    void createGrid(std::uint32_t count) override;
    void setByte(std::uint32_t offset, std::uint8_t value) override;
    std::uint8_t getByte(std::uint32_t offset) override;
    bool isEmpty(std::uint32_t offset) override;
    bool isSelected(std::uint32_t) override { return false; } // the command line writes whole ranges
    void markRed(std::uint32_t offset) override;
    void selectOnly(std::uint32_t) override {}
    void scrollToTop() override {}
    void scrollVertically(std::uint32_t) override {}
    void moveCursorDownPage() override {}
    // Called once at the end of every word: the word's bytes are done.
    void repaint() override;

private:
    void touch(std::uint32_t offset) { touchedEnd_ = std::max(touchedEnd_, offset + 1); }

    ByteStore store_;
    std::uint16_t start_ = 0;
    std::uint32_t count_ = 0;
    std::uint32_t touchedEnd_ = 0; // one past the highest offset a procedure used
    std::function<void(std::uint32_t)> wordDone_;
};
