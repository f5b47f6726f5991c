#include "store/CellRules.h"

#include <algorithm>

#include "store/HexDigits.h"
#include "store/Windows1250.h"

namespace {

constexpr wchar_t DIGITS[] = L"0123456789ABCDEF";

} // namespace

std::wstring byteText(std::uint8_t value)
{
    return {DIGITS[value >> 4], DIGITS[value & 0xF]};
}

std::wstring addressText(std::uint32_t value)
{
    return {DIGITS[(value >> 12) & 0xF], DIGITS[(value >> 8) & 0xF], DIGITS[(value >> 4) & 0xF],
            DIGITS[value & 0xF]};
}

std::wstring normalizeHexCell(const std::wstring& typed)
{
    std::wstring text;
    text.reserve(typed.size() + 1);
    for (wchar_t c : typed) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return L"00";
        text += DIGITS[digit];
    }
    if (text.size() == 1)
        text.insert(text.begin(), L'0');
    return text;
}

std::uint8_t hexCellValue(const std::wstring& text)
{
    // Only the low 8 bits count, so a long text cannot overflow.
    unsigned value = 0;
    for (wchar_t c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return 0;
        value = ((value << 4) | unsigned(digit)) & 0xFF;
    }
    return std::uint8_t(value);
}

wchar_t byteGlyph(std::uint8_t value)
{
    if (value < 0x20 || value == 0x7F || value == 0xFF)
        return L'.';
    const char32_t c = windows1250ToUnicode(value);
    return c == 0 ? L'.' : wchar_t(c);
}

wchar_t typedHexGlyph(const std::wstring& text)
{
    const std::uint8_t low = hexCellValue(text);
    const std::size_t firstDigit = std::min(text.find_first_not_of(L'0'), text.size());
    const bool moreThanAByte = text.size() - firstDigit > 2;
    // Of the "." codes only 0xFF has a character of its own in the code page.
    if (low == 0xFF && moreThanAByte)
        return wchar_t(windows1250ToUnicode(low));
    return byteGlyph(low);
}

std::uint8_t charCellValue(const std::wstring& text)
{
    return text.empty() ? 0 : unicodeToWindows1250(char32_t(text.front()));
}
