#include "cli/JsonSummary.h"

#include <cstdio>

#include "texts/FillIn.h"

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string hex(std::uint32_t value, int digits) { return quoted(hexNumber(value, digits)); }

template <typename T, typename Show>
std::string orNull(const std::optional<T>& value, Show show)
{
    return value ? show(*value) : "null";
}

std::string cell(const CellReport& report)
{
    const auto byte = [](std::uint8_t b) { return hex(b, 2); };
    std::string out = "{\"address\": " + hex(report.address, 4);
    if (report.expected)
        out += ", \"expected\": " + byte(*report.expected);
    if (report.found)
        out += ", \"found\": " + byte(*report.found);
    return out + "}";
}

template <typename T, typename Show>
std::string list(const std::vector<T>& items, Show show)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + show(items[i]);
    return out + "]";
}

} // namespace

std::string toJson(const RunSummary& s)
{
    const auto text = [](const std::string& t) { return quoted(t); };
    const auto number = [](auto n) { return std::to_string(n); };
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", s.seconds);
    return "{\"operation\": " + quoted(s.operation) + ", \"port\": " + orNull(s.port, text) +
           ", \"device\": " + orNull(s.device, text) + ", \"model\": " + orNull(s.model, text) +
           ", \"crystal_mhz\": " + orNull(s.crystalMHz, number) +
           ", \"start\": " + orNull(s.start, [](std::uint32_t a) { return hex(a, 4); }) +
           ", \"count\": " + orNull(s.count, number) + ", \"files\": " + list(s.files, text) +
           ", \"failed_cells\": " + list(s.failedCells, cell) + ", \"retries\": " + number(s.retries) +
           ", \"seconds\": " + seconds + ", \"crc32\": " + orNull(s.crc32, [](std::uint32_t c) { return hex(c, 8); }) +
           ", \"exit_status\": " + number(s.exitStatus) + ", \"messages\": " + list(s.messages, text) + "}";
}
