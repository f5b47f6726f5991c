// Replacing the {name} fields of a catalogue text.
#include "texts/FillIn.h"

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
