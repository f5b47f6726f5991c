// Hexadecimal digits, read in either case and written in upper case, as the
// grid's cells and the record files hold them.
#pragma once

inline constexpr char HEX_DIGITS[] = "0123456789ABCDEF";

// The value of one digit, -1 for any other character.
inline constexpr int hexDigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}
