// A block of byte cells as the grid selects them: `rows` rows of `width`
// cells, each row 16 bytes after the one above. A run of consecutive bytes is
// one row as wide as the run (it may go on past the end of a grid row).
#pragma once

#include <cstddef>

struct CellBlock {
    static constexpr std::size_t ROW_STRIDE = 16;

    std::size_t first = 0; // byte index of the top left cell
    std::size_t width = 0;
    std::size_t rows = 1;

    static CellBlock run(std::size_t first, std::size_t count) { return {first, count, 1}; }

    std::size_t cells() const { return width * rows; }
    // The byte index of the n-th cell, row by row.
    std::size_t cell(std::size_t n) const { return first + (n / width) * ROW_STRIDE + n % width; }

    template <typename Visit> void forEachCell(Visit visit) const
    {
        for (std::size_t row = 0; row < rows; ++row) {
            const std::size_t start = first + row * ROW_STRIDE;
            for (std::size_t k = start; k < start + width; ++k)
                visit(k);
        }
    }
};
