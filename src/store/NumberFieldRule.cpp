#include "store/NumberFieldRule.h"

#include <algorithm>

#include "store/HexDigits.h"

NumberFieldEdit applyNumberFieldRule(const std::wstring& text, long caret, NumberFilter filter, int maxLength)
{
    std::wstring t;
    for (wchar_t c : text) {
        const int digit = hexDigitValue(c);
        if (digit >= 0 && (filter == NumberFilter::Hexadecimal || digit < 10))
            t += wchar_t(HEX_DIGITS[digit]);
    }

    // A character typed at the end of a full field replaces the last one; one
    // typed inside a full field overwrites the character after it. The caret
    // still counts characters that the filter has just removed, so an index
    // that falls outside the text takes the last character instead.
    const long p = caret;
    if (maxLength > 0) {
        long d = 0;
        while (t.size() > std::size_t(maxLength)) {
            long at = (p == maxLength + 1) ? maxLength - 1 : p - d++;
            if (at < 0 || std::size_t(at) >= t.size())
                at = long(t.size()) - 1;
            t.erase(std::size_t(at), 1);
        }
    }
    return {t, std::clamp<long>(p, 0, long(t.size()))};
}

long caretAfterInsertion(const std::wstring& before, const std::wstring& after, long reportedCaret)
{
    if (after.size() <= before.size() || reportedCaret < 0)
        return reportedCaret;
    const std::size_t at = std::size_t(reportedCaret);
    const std::size_t inserted = after.size() - before.size();
    if (at > before.size())
        return reportedCaret;
    const bool insertedThere = after.compare(0, at, before, 0, at) == 0 &&
                               after.compare(at + inserted, std::wstring::npos, before, at) == 0;
    return insertedThere ? reportedCaret + long(inserted) : reportedCaret;
}
