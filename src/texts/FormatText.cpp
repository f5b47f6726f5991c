#include "texts/FormatText.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string formatText(Text format, ...)
{
    const std::string pattern = toStdString(format);
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, pattern.c_str(), measuring);
    va_end(measuring);
    std::vector<char> text(std::size_t(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), pattern.c_str(), arguments);
    va_end(arguments);
    return std::string(text.data());
}

std::string escapeControlCharacters(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}
