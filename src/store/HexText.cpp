#include "store/HexText.h"

#include <algorithm>

#include "store/CellRules.h"
#include "store/HexDigits.h"
#include "store/Windows1250.h"

namespace {

constexpr std::size_t LONGEST_BAD_TOKEN = 20; // of a token quoted back to the user

bool isSeparator(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L','; }

// The cells of one token, or the reason it is none.
HexTextReading::Problem readToken(std::wstring_view token, std::vector<int>& cells)
{
    if (token.size() > 2 && token[0] == L'0' && (token[1] == L'x' || token[1] == L'X'))
        token.remove_prefix(2);
    if (token.size() == 1) {
        const int digit = hexDigitValue(token[0]);
        if (digit < 0)
            return HexTextReading::Problem::NotHex;
        cells.push_back(digit);
        return HexTextReading::Problem::None;
    }
    for (wchar_t c : token) {
        if (c != L'?' && hexDigitValue(c) < 0)
            return HexTextReading::Problem::NotHex;
    }
    if (token.size() % 2 != 0)
        return HexTextReading::Problem::OddDigits;
    for (std::size_t i = 0; i < token.size(); i += 2) {
        const wchar_t high = token[i];
        const wchar_t low = token[i + 1];
        if (high == L'?' && low == L'?')
            cells.push_back(ANY_BYTE);
        else if (high == L'?' || low == L'?')
            return HexTextReading::Problem::NotHex; // half a byte cannot be left open
        else
            cells.push_back(hexDigitValue(high) * 16 + hexDigitValue(low));
    }
    return HexTextReading::Problem::None;
}

// The byte indexes of `blocks`, each once, in ascending order.
std::vector<std::size_t> cellsInOrder(const std::vector<CellBlock>& blocks)
{
    std::vector<std::size_t> cells;
    for (const CellBlock& block : blocks)
        block.forEachCell([&cells](std::size_t k) { cells.push_back(k); });
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

} // namespace

HexTextReading readHexText(std::wstring_view text, std::size_t limit)
{
    HexTextReading reading;
    std::vector<int> cells;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::wstring_view token = text.substr(i, end - i);
        cells.clear();
        const HexTextReading::Problem problem = readToken(token, cells);
        if (problem != HexTextReading::Problem::None) {
            reading.problem = problem;
            reading.badToken = std::wstring(token.substr(0, LONGEST_BAD_TOKEN));
            reading.cells.clear();
            return reading;
        }
        reading.total += cells.size();
        for (std::size_t k = 0; k < cells.size() && reading.cells.size() < limit; ++k)
            reading.cells.push_back(cells[k]);
        i = end;
    }
    return reading;
}

CharTextReading readCharText(std::wstring_view text, std::size_t limit)
{
    CharTextReading reading;
    reading.total = text.size();
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const std::uint8_t byte = unicodeToWindows1250(char32_t(text[i]));
        if (byte == '?' && text[i] != L'?' && reading.firstForeign == std::wstring::npos)
            reading.firstForeign = i;
        reading.bytes.push_back(byte);
    }
    return reading;
}

std::wstring hexCopyText(const ByteStore& store, const std::vector<CellBlock>& blocks)
{
    const std::vector<std::size_t> cells = cellsInOrder(blocks);
    std::wstring text;
    text.reserve(cells.size() * 3);
    for (std::size_t n = 0; n < cells.size(); ++n) {
        const std::size_t k = cells[n];
        if (n > 0)
            text += k / CellBlock::ROW_STRIDE == cells[n - 1] / CellBlock::ROW_STRIDE ? L' ' : L'\n';
        text += store.isHexEmpty(k) ? std::wstring(L"??") : byteText(store.getByte(k));
    }
    return text;
}

std::wstring charCopyText(const ByteStore& store, const std::vector<CellBlock>& blocks)
{
    std::wstring text;
    for (std::size_t k : cellsInOrder(blocks))
        text += byteGlyph(store.getByte(k));
    return text;
}
