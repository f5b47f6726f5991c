#include "store/ByteSearch.h"

#include <algorithm>

#include "store/HexText.h"

namespace {

// Tries the places `start`, then onwards in `direction` round the n cells,
// where a pattern of `length` cells fits: two straight runs, the second one
// past the end (or the start).
template <typename Matches>
std::optional<SearchHit> searchRound(std::size_t n, std::size_t length, std::size_t start, SearchDirection direction,
                                     Matches matches)
{
    if (length == 0 || length > n)
        return std::nullopt;
    start %= n;
    const std::size_t lastFit = n - length;
    if (direction == SearchDirection::Forward) {
        for (std::size_t place = start; place <= lastFit; ++place) {
            if (matches(place))
                return SearchHit{place, false};
        }
        for (std::size_t place = 0; place < std::min(start, lastFit + 1); ++place) {
            if (matches(place))
                return SearchHit{place, true};
        }
        return std::nullopt;
    }
    for (std::size_t place = std::min(start, lastFit) + 1; place-- > 0;) {
        if (matches(place))
            return SearchHit{place, false};
    }
    for (std::size_t place = lastFit + 1; place-- > start + 1;) {
        if (matches(place))
            return SearchHit{place, true};
    }
    return std::nullopt;
}

} // namespace

SearchPattern readHexPattern(std::wstring_view text)
{
    SearchPattern pattern;
    const HexTextReading reading = readHexText(text, text.size());
    switch (reading.problem) {
    case HexTextReading::Problem::NotHex:
        pattern.problem = SearchPattern::Problem::NotHex;
        pattern.detail = reading.badToken;
        return pattern;
    case HexTextReading::Problem::OddDigits:
        pattern.problem = SearchPattern::Problem::OddDigits;
        pattern.detail = reading.badToken;
        return pattern;
    case HexTextReading::Problem::None:
        break;
    }
    pattern.cells = reading.cells;
    if (pattern.cells.empty())
        pattern.problem = SearchPattern::Problem::Empty;
    else if (std::all_of(pattern.cells.begin(), pattern.cells.end(), [](int cell) { return cell == ANY_BYTE; }))
        pattern.problem = SearchPattern::Problem::OnlyWildcards;
    return pattern;
}

SearchPattern readTextPattern(std::wstring_view text)
{
    SearchPattern pattern;
    if (text.empty()) {
        pattern.problem = SearchPattern::Problem::Empty;
        return pattern;
    }
    const CharTextReading reading = readCharText(text, text.size());
    if (reading.firstForeign != std::wstring::npos) {
        pattern.problem = SearchPattern::Problem::ForeignCharacter;
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
        return wanted == ANY_BYTE || (!store.isHexEmpty(k) && store.getByte(k) == wanted);
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
