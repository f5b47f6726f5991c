// The cell editing rules on any typed text: a hexadecimal cell always ends up
// empty, "00" or upper-case hexadecimal digits (two or more) whose value is the
// low byte of the text; a character cell always stands for one byte whose
// glyph is printable or ".".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/CellRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring typed;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        typed += wchar_t(data[i] | (data[i + 1] << 8));

    const std::wstring cell = normalizeHexCell(typed);
    if (!cell.empty() && cell.size() < 2)
        std::abort();
    unsigned low = 0;
    for (wchar_t c : cell) {
        const bool digit = c >= L'0' && c <= L'9';
        const bool letter = c >= L'A' && c <= L'F';
        if (!digit && !letter)
            std::abort();
        low = (low * 16 + unsigned(digit ? c - L'0' : c - L'A' + 10)) & 0xFF;
    }
    if (hexCellValue(cell) != low)
        std::abort();
    if (normalizeHexCell(cell) != cell) // editing a clean cell again changes nothing
        std::abort();

    const std::uint8_t byte = charCellValue(typed);
    const wchar_t glyph = byteGlyph(byte);
    if (glyph != L'.' && glyph < 0x20)
        std::abort();
    if (glyph != L'.' && charCellValue(std::wstring(1, glyph)) != byte) // a shown character reads back as its byte
        std::abort();
    return 0;
}
