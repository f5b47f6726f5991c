// Hexadecimal digits, read in either case and written in upper case, as the
// grid's cells, the number fields, typed addresses, the record files and the
// command line's addresses hold them.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

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

// The value of `digits`, every one a hexadecimal digit; none for an empty
// text, any other character (a sign, a space, a prefix) or a value above `limit`.
template <typename Char>
constexpr std::optional<std::uint64_t> hexNumberValue(std::basic_string_view<Char> digits,
                                                      std::uint64_t limit = std::numeric_limits<std::uint64_t>::max())
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const Char c : digits) {
        const int digit = hexDigitValue(static_cast<wchar_t>(c));
        if (digit < 0 || value > (limit - std::uint64_t(digit)) / 16)
            return std::nullopt;
        value = value * 16 + std::uint64_t(digit);
    }
    return value;
}
