#include "store/ByteSearch.h"

#include <algorithm>

#include "store/HexText.h"

namespace {

// Tries the places `start`, then onwards in `direction` round the n cells,
// where a pattern of `length` cells fits.
template <typename Matches>
std::optional<SearchHit> searchRound(std::size_t n, std::size_t length, std::size_t start, SearchDirection direction,
                                     Matches matches)
{
    if (length == 0 || length > n)
        return std::nullopt;
    start %= n;
    const std::size_t lastFit = n - length;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t place =
            direction == SearchDirection::forward ? (start + step) % n : (start + n - step) % n;
        if (place > lastFit || !matches(place))
            continue;
        const bool wrapped = direction == SearchDirection::forward ? place < start : place > start;
        return SearchHit{place, wrapped};
    }
    return std::nullopt;
}

} // namespace

SearchPattern readHexPattern(std::wstring_view text)
{
    SearchPattern pattern;
    const HexTextReading reading = readHexText(text, text.size());
    switch (reading.problem) {
    case HexTextReading::Problem::notHex:
        pattern.problem = SearchPattern::Problem::notHex;
        pattern.detail = reading.badToken;
        return pattern;
    case HexTextReading::Problem::oddDigits:
        pattern.problem = SearchPattern::Problem::oddDigits;
        pattern.detail = reading.badToken;
        return pattern;
    case HexTextReading::Problem::none:
        break;
    }
    pattern.cells = reading.cells;
    if (pattern.cells.empty())
        pattern.problem = SearchPattern::Problem::empty;
    else if (std::all_of(pattern.cells.begin(), pattern.cells.end(), [](int cell) { return cell == kAnyByte; }))
        pattern.problem = SearchPattern::Problem::onlyWildcards;
    return pattern;
}

SearchPattern readTextPattern(std::wstring_view text)
{
    SearchPattern pattern;
    if (text.empty()) {
        pattern.problem = SearchPattern::Problem::empty;
        return pattern;
    }
    const CharTextReading reading = readCharText(text, text.size());
    if (reading.firstForeign != std::wstring::npos) {
        pattern.problem = SearchPattern::Problem::foreignCharacter;
        pattern.detail = std::wstring(1, text[reading.firstForeign]);
        return pattern;
    }
    pattern.cells.assign(reading.bytes.begin(), reading.bytes.end());
    return pattern;
}

std::optional<SearchHit> findPattern(const ByteStore& store, const std::vector<int>& pattern, std::size_t start,
                                     SearchDirection direction)
{
    const auto cellMatches = [&store](std::size_t k, int wanted) {
        return wanted == kAnyByte || (!store.isHexEmpty(k) && store.getByte(k) == wanted);
    };
    return searchRound(store.capacity(), pattern.size(), start, direction, [&](std::size_t place) {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (!cellMatches(place + i, pattern[i]))
                return false;
        }
        return true;
    });
}

std::optional<SearchHit> findRedCell(const ByteStore& store, std::size_t start, SearchDirection direction)
{
    return searchRound(store.capacity(), 1, start, direction, [&store](std::size_t k) { return store.isRed(k); });
}
