// Replacing the {name} fields of a catalogue text.
#include "texts/FillIn.h"

#include <cstdio>

std::string fillIn(Text pattern, TextFields fields)
{
    std::string text = toStdString(pattern);
    for (const auto& [name, value] : fields) {
        const std::string field = "{" + std::string(name) + "}";
        for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, at + value.size()))
            text.replace(at, field.size(), value);
    }
    return text;
}

std::string hexNumber(std::uint64_t value, int digits)
{
    char text[24];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

std::string escapeControlCharacters(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            out += "\\x" + hexNumber(byte, 2);
        else
            out += c;
    }
    return out;
}
