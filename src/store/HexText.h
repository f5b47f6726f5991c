// Bytes as text, the way they go through the clipboard and the find box:
// hexadecimal text ("DE AD ?? EF", "0xDE, 0xAD", one line per grid row) and
// text in the character view's set (Windows-1250).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/ByteStore.h"

// "??" in hexadecimal text: any byte in a search, an empty cell in pasted text.
inline constexpr int ANY_BYTE = -1;

struct HexTextReading {
    enum class Problem { None, NotHex, OddDigits };
    std::vector<int> cells;   // bytes 0-255 or ANY_BYTE, at most the limit asked for
    std::size_t total = 0;    // cells the whole text holds
    Problem problem = Problem::None;
    std::wstring badToken;    // the first token that is not hexadecimal bytes
};

// Tokens separated by spaces, tabs, line breaks or commas; each an optional
// 0x prefix, then digits in pairs (or a single digit: one byte, as a cell
// reads it) and "??" anywhere a pair may stand. The whole text is checked;
// at most `limit` cells are kept.
HexTextReading readHexText(std::wstring_view text, std::size_t limit);

// Each character as the byte that holds it in the character view's set, at
// most `limit` of them; a character the set has no byte for reads as '?', as
// a converting program writes it.
struct CharTextReading {
    std::vector<std::uint8_t> bytes;
    std::size_t total = 0;                         // characters in the whole text
    std::size_t firstForeign = std::wstring::npos; // among those kept
};
CharTextReading readCharText(std::wstring_view text, std::size_t limit);

// The hexadecimal cells of `blocks`, in byte order: two digits a byte (the
// byte a cell stands for), "??" for an empty cell, separated by spaces, a
// line for each grid row.
std::wstring hexCopyText(const ByteStore& store, const std::vector<CellBlock>& blocks);
// The characters of `blocks` in byte order, as the character view shows their
// bytes, in one line.
std::wstring charCopyText(const ByteStore& store, const std::vector<CellBlock>& blocks);
