// How the cells of a buffer grid read and write bytes: the hexadecimal cell's
// editing rule and byte value, the character shown for a byte, and the byte a
// typed character stands for. Texts are wide strings (one wchar_t per
// character), as the grid hands them over.
#pragma once

#include <cstdint>
#include <string>

// A byte as exactly two upper-case hexadecimal digits ("00", "7F").
std::wstring byteText(std::uint8_t value);
// A 16-bit value as exactly four upper-case hexadecimal digits ("0800").
std::wstring addressText(std::uint32_t value);

// The text a hexadecimal cell keeps after the user typed `typed`: upper case;
// any character that is not a hexadecimal digit turns the whole cell into "00";
// a single digit gets a leading 0; empty stays empty; longer valid text stays.
std::wstring normalizeHexCell(const std::wstring& typed);

// The byte a hexadecimal cell stands for: its text read as a hexadecimal
// number, cut to the low 8 bits; empty (or invalid) text reads 0.
std::uint8_t hexCellValue(const std::wstring& text);

// The character a character cell shows for a byte: "." for the control codes
// 0x00-0x1F, 0x7F, 0xFF and for the codes Windows-1250 leaves unassigned.
wchar_t byteGlyph(std::uint8_t value);

// The character a hexadecimal cell's twin shows after the user typed the cell
// to `text` (as normalizeHexCell keeps it). The "." of 0xFF belongs to the
// value 0xFF alone: digits that spell more than a byte ("1FF") show the
// character of their low 8 bits.
wchar_t typedHexGlyph(const std::wstring& text);

// The byte a character cell's text stands for: the Windows-1250 code of its
// first character, 0 when the text is empty.
std::uint8_t charCellValue(const std::wstring& text);
