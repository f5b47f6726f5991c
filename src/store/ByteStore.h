// The content of one buffer grid, kept compact enough for images of several
// megabytes: one byte and one flag byte per cell pair (a hexadecimal cell and
// its character twin). Texts that are not what the byte alone would show (a
// hexadecimal cell edited to "1FF", a character cell edited to "" or "ab") are
// rare and sit in small side maps. A fresh store is all empty cells, as a new
// grid is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/CellBlock.h"

// The cells a buffer of byteCount bytes holds: whole rows, at least one.
inline constexpr std::size_t cellsForByteCount(std::size_t byteCount)
{
    constexpr std::size_t row = CellBlock::ROW_STRIDE;
    return byteCount <= row ? row : (byteCount + row - 1) / row * row;
}

// The cells of a block as they were at one moment (bytes, texts, marks),
// packed: what an undo step keeps.
class CellSnapshot {
public:
    const CellBlock& block() const { return block_; }
    std::size_t memoryBytes() const;

private:
    friend class ByteStore;
    CellBlock block_;
    std::vector<std::uint8_t> bytes_; // packed runs, one byte per cell
    std::vector<std::uint8_t> flags_; // packed runs, one flag byte per cell
    std::vector<std::pair<std::size_t, std::wstring>> oddHex_;
    std::vector<std::pair<std::size_t, std::wstring>> oddChar_;
};

class ByteStore {
public:
    explicit ByteStore(std::size_t capacity = 0);

    std::size_t capacity() const { return bytes_.size(); }
    // Adds empty cells up to `capacity`; never shrinks. Without the memory for
    // them it throws std::bad_alloc and the store stays as it was.
    void grow(std::size_t capacity);
    // Room for `capacity` cells, none added: growing up to it in steps then
    // moves nothing and cannot run out of memory. Throws std::bad_alloc as grow().
    void reserve(std::size_t capacity);
    // For tests: growth beyond this many cells fails as an exhausted heap
    // would (std::bad_alloc); SIZE_MAX (the default) lifts the limit again.
    static void limitGrowthForTests(std::size_t cells);
    // Becomes a fresh store of `capacity` empty cells.
    void reset(std::size_t capacity);

    // Both cells show v plainly (two digits and its glyph). Indexes at or past
    // the capacity are ignored.
    void setByte(std::size_t k, std::uint8_t v);
    // The hexadecimal cell's byte value; 0 for an empty cell or past the capacity.
    // (Inline with isHexEmpty and isRed: a search asks them for every cell.)
    std::uint8_t getByte(std::size_t k) const { return k < bytes_.size() ? bytes_[k] : 0; }
    bool isHexEmpty(std::size_t k) const { return k >= bytes_.size() || (flags_[k] & HEX_EMPTY); }
    // The hexadecimal cell shows its byte in two digits, as setByte writes it
    // (not empty, no other text): the byte then says all the text would.
    bool isHexPlain(std::size_t k) const;

    std::wstring hexText(std::size_t k) const;
    std::wstring charText(std::size_t k) const;

    // The user typed into a cell: the editing rules of each half, including the
    // twin that follows.
    void editHexCell(std::size_t k, const std::wstring& typed);
    void editCharCell(std::size_t k, const std::wstring& typed);

    // Both cells as a fresh buffer has them: never read, the byte reads 0.
    // Writes to the target keep such bytes as the target holds them.
    void emptyCell(std::size_t k);

    bool isRed(std::size_t k) const { return k < bytes_.size() && (flags_[k] & RED); }
    void markRed(std::size_t k);

    // The cells of `block` now; cells past the capacity are taken as empty.
    CellSnapshot snapshot(const CellBlock& block) const;
    // Puts the snapshot's cells back (those inside the capacity). With
    // `keepRed` the red marks stay as they are now: marks come from reads,
    // writes and comparisons, which an edit's undo does not take back.
    void restore(const CellSnapshot& snapshot, bool keepRed);

    // Heap bytes held, for the benchmark.
    std::size_t memoryBytes() const;

private:
    enum Flag : std::uint8_t {
        HEX_EMPTY = 1,  // hexadecimal cell empty (byte reads 0)
        CHAR_EMPTY = 2, // character cell never written (fresh grid)
        HEX_ODD = 4,    // hexadecimal text in oddHex_
        CHAR_ODD = 8,   // character text in oddChar_
        RED = 16,       // hexadecimal cell marked red
    };

    void setFlag(std::size_t k, Flag flag, bool on);
    void clearOddTexts(std::size_t k);

    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t> flags_;
    std::unordered_map<std::size_t, std::wstring> oddHex_;
    std::unordered_map<std::size_t, std::wstring> oddChar_;
};
