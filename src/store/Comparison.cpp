#include "store/Comparison.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include "store/CellRules.h"

namespace {

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towupper(wint_t(x)) == std::towupper(wint_t(y)); });
}

} // namespace

std::int64_t compareBuffers(const ByteStore& first, const ByteStore& second, ByteStore& result, Progress& progress)
{
    const std::size_t total = std::min(first.capacity(), second.capacity());
    std::int64_t differences = 0;
    progress.progressStart(std::uint32_t(total));
    for (std::size_t i = 0; i < total; ++i) {
        progress.progressStep();
        // Two plain cells, nearly every cell of a read or loaded image: their
        // texts are equal exactly when their bytes are.
        if (first.isHexPlain(i) && second.isHexPlain(i)) {
            const std::uint8_t a = first.getByte(i);
            result.setByte(i, a);
            if (a != second.getByte(i)) {
                result.markRed(i);
                ++differences;
            }
            continue;
        }
        const std::wstring a = first.hexText(i);
        if (a.empty() && second.isHexEmpty(i))
            continue;
        // A cell's text is always hexadecimal digits (the editing rule sees to
        // it), so its value is the whole text's, cut to 8 bits.
        result.setByte(i, hexCellValue(a));
        if (!sameIgnoringCase(a, second.hexText(i))) {
            result.markRed(i);
            ++differences;
        }
    }
    return differences;
}
