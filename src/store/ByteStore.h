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
#include <vector>

// A buffer is shown in rows of 16 bytes, and holds whole rows: at least one.
inline constexpr std::size_t BYTES_PER_ROW = 16;
inline constexpr std::size_t cellsForByteCount(std::size_t byteCount)
{
    return byteCount <= BYTES_PER_ROW ? BYTES_PER_ROW : (byteCount + BYTES_PER_ROW - 1) / BYTES_PER_ROW * BYTES_PER_ROW;
}

class ByteStore {
public:
    explicit ByteStore(std::size_t capacity = 0);

    std::size_t capacity() const { return bytes_.size(); }
    // Adds empty cells up to `capacity`; never shrinks.
    void grow(std::size_t capacity);

    // Both cells show v plainly (two digits and its glyph). Indexes at or past
    // the capacity are ignored.
    void setByte(std::size_t k, std::uint8_t v);
    // The hexadecimal cell's byte value; 0 for an empty cell or past the capacity.
    std::uint8_t getByte(std::size_t k) const;
    bool isHexEmpty(std::size_t k) const;
    // The hexadecimal cell shows its byte in two digits, as setByte writes it
    // (not empty, no other text): the byte then says all the text would.
    bool isHexPlain(std::size_t k) const;

    std::wstring hexText(std::size_t k) const;
    std::wstring charText(std::size_t k) const;

    // The user typed into a cell: the editing rules of each half, including the
    // twin that follows.
    void editHexCell(std::size_t k, const std::wstring& typed);
    void editCharCell(std::size_t k, const std::wstring& typed);

    bool isRed(std::size_t k) const;
    void markRed(std::size_t k);

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
