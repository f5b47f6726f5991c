// Finding bytes in a buffer: a pattern of bytes with "??" wildcards, or the
// next cell marked red (a comparison's differences, a read's unstable bytes,
// a write's failed bytes). A search goes once round the buffer from where it
// starts and says whether it went past the end to find what it found.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ByteStore.h"

enum class SearchDirection { Forward, Backward };

struct SearchHit {
    std::size_t index = 0;
    bool wrapped = false; // found only after going round the end (or the start)
};

// A pattern as the user typed it: hexadecimal bytes with "??" for any byte,
// or text in the character view's set.
struct SearchPattern {
    enum class Problem { None, Empty, NotHex, OddDigits, OnlyWildcards, ForeignCharacter };
    std::vector<int> cells; // bytes 0-255 or ANY_BYTE
    Problem problem = Problem::None;
    std::wstring detail; // the token or character at fault
};
SearchPattern readHexPattern(std::wstring_view text);
SearchPattern readTextPattern(std::wstring_view text);

// The first place, trying `start` first and going on in `direction` round
// the store's cells, where every cell of the pattern matches: a byte matches
// a cell that holds it (an empty cell holds none), ANY_BYTE matches any cell.
std::optional<SearchHit> findPattern(const ByteStore& store, const std::vector<int>& pattern, std::size_t start,
                                     SearchDirection direction);
// The same for a single cell marked red.
std::optional<SearchHit> findRedCell(const ByteStore& store, std::size_t start, SearchDirection direction);
