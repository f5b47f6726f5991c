// The number-field rule on any text and caret: it never throws, keeps only the
// allowed characters, never grows past the limit and leaves the caret inside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/NumberFieldRule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const auto filter = (data[0] & 1) ? NumberFilter::Hexadecimal : NumberFilter::Decimal;
    const int maxLength = data[1] % 9;
    const long caret = long(data[2]) - 16; // also before the start and past the end
    std::wstring text;
    for (std::size_t i = 3; i + 1 < size; i += 2)
        text += wchar_t(data[i] | (data[i + 1] << 8));

    const NumberFieldEdit edit = applyNumberFieldRule(text, caret, filter, maxLength);
    if (maxLength > 0 && edit.text.size() > std::size_t(maxLength))
        std::abort();
    if (edit.caret < 0 || std::size_t(edit.caret) > edit.text.size())
        std::abort();
    for (wchar_t c : edit.text) {
        const bool digit = c >= L'0' && c <= L'9';
        const bool hex = c >= L'A' && c <= L'F';
        if (!(digit || (filter == NumberFilter::Hexadecimal && hex)))
            std::abort();
    }
    return 0;
}
