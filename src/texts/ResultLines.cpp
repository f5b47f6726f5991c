// Result lines and plural rules; see ResultLines.h.
#include "texts/ResultLines.h"

#include <charconv>
#include <cstdio>

#include "texts/FillIn.h"

namespace {

// The form for one, for a few (2 up to lastFew) and for the rest.
template <typename Count>
Text pluralForm(Count n, Count lastFew, Text one, Text few, Text many)
{
    if (n == 1)
        return one;
    if (n >= 2 && n <= lastFew)
        return few;
    return many;
}

Text byteUnit(std::uint64_t n, std::uint64_t lastFew)
{
    return pluralForm(n, lastFew, texts::UNIT_BYTE, texts::UNIT_BYTES_FEW, texts::UNIT_BYTES_MANY);
}

std::string line(Text head, const std::string& number, Text tail)
{
    return toStdString(head) + number + toStdString(tail);
}

} // namespace

Text readUnit(std::uint64_t byteCount) { return byteUnit(byteCount, 4); }

Text writeUnit(std::uint64_t byteCount) { return byteUnit(byteCount, 3); }

Text differencesWord(std::int64_t differences)
{
    return pluralForm<std::int64_t>(differences, 4, texts::COMPARE_ONE, texts::COMPARE_FEW, texts::COMPARE_MANY);
}

std::string readResultLine(std::uint64_t finalOffset)
{
    return line(texts::READ_RESULT, std::to_string(finalOffset), readUnit(finalOffset));
}

std::string writeResultLine(std::uint64_t finalOffset)
{
    return line(texts::WRITE_RESULT, std::to_string(finalOffset), writeUnit(finalOffset));
}

std::string comparisonSummary(std::int64_t differences)
{
    return line(texts::COMPARE_TOTAL, std::to_string(differences), differencesWord(differences));
}

std::string kilobyteText(std::uint64_t byteCount)
{
    const float kilobytes = static_cast<float>(byteCount) * (1.0f / 1024.0f);
    // to_chars, not printf: the point must stay a point whatever the user's locale.
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<double>(kilobytes),
                                   std::chars_format::fixed, 6).ptr;
    std::string text(digits, end);
    const auto point = text.find('.');
    if (point == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    if (text.size() > point + 3)
        text.resize(point + 3);
    return text;
}

std::string loadResultLine(std::uint64_t byteCount)
{
    if (byteCount < 1024) // loading shares the writing rule: 4 bytes take the "many" word
        return line(texts::LOAD_RESULT, std::to_string(byteCount), writeUnit(byteCount));
    return line(texts::LOAD_RESULT, kilobyteText(byteCount), texts::UNIT_KB);
}

std::string loadedAddressesLine(std::uint64_t first, std::uint64_t last)
{
    char firstText[20];
    char lastText[20];
    std::snprintf(firstText, sizeof firstText, "%04llX", static_cast<unsigned long long>(first));
    std::snprintf(lastText, sizeof lastText, "%04llX", static_cast<unsigned long long>(last));
    return fillIn(texts::LOAD_ADDRESSES, {{"first", firstText}, {"last", lastText}});
}
