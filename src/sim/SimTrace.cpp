#include "sim/SimTrace.h"

#include <cstdio>

void SimTrace::addFrame(std::vector<std::uint8_t> bytes, std::uint64_t startUs, std::uint64_t endUs)
{
    const std::uint64_t since = anyEvent_ && startUs > lastEndUs_ ? startUs - lastEndUs_ : 0;
    entries_.push_back({SimTraceEntry::Kind::Frame, startUs, endUs, since, std::move(bytes), false, {}});
    lastEndUs_ = endUs;
    anyEvent_ = true;
}

void SimTrace::addRts(bool asserted, std::uint64_t atUs)
{
    const std::uint64_t since = anyEvent_ && atUs > lastEndUs_ ? atUs - lastEndUs_ : 0;
    entries_.push_back({SimTraceEntry::Kind::Rts, atUs, atUs, since, {}, asserted, {}});
    lastEndUs_ = atUs;
    anyEvent_ = true;
}

void SimTrace::addNote(std::string text, std::uint64_t atUs)
{
    entries_.push_back({SimTraceEntry::Kind::Note, atUs, atUs, 0, {}, false, std::move(text)});
}

void SimTrace::clear()
{
    entries_.clear(); // the next pause is still measured from the last event
}

std::string SimTrace::describe(const SimTraceEntry& entry)
{
    switch (entry.kind) {
    case SimTraceEntry::Kind::Rts:
        return entry.rts ? "RTS 1" : "RTS 0";
    case SimTraceEntry::Kind::Note:
        return "# " + entry.text;
    case SimTraceEntry::Kind::Frame:
        break;
    }
    std::string line;
    for (std::size_t i = 0; i < entry.bytes.size(); ++i) {
        char piece[4];
        if (i == 0)
            std::snprintf(piece, sizeof piece, "%c", static_cast<char>(entry.bytes[0]));
        else
            std::snprintf(piece, sizeof piece, " %02X", entry.bytes[i]);
        line += piece;
    }
    return line;
}

std::vector<std::string> SimTrace::frames() const
{
    std::vector<std::string> lines;
    for (const auto& entry : entries_)
        if (entry.kind != SimTraceEntry::Kind::Note)
            lines.push_back(describe(entry));
    return lines;
}

std::vector<std::string> SimTrace::framesWithPauses() const
{
    std::vector<std::string> lines;
    for (const auto& entry : entries_)
        if (entry.kind != SimTraceEntry::Kind::Note)
            lines.push_back(std::to_string((entry.sinceUs + 500) / 1000) + " " + describe(entry));
    return lines;
}

std::vector<std::string> SimTrace::notes() const
{
    std::vector<std::string> lines;
    for (const auto& entry : entries_)
        if (entry.kind == SimTraceEntry::Kind::Note)
            lines.push_back(entry.text);
    return lines;
}

std::string SimTrace::dump() const
{
    std::string text;
    for (const auto& entry : entries_)
        text += std::to_string(entry.atUs) + " +" + std::to_string(entry.sinceUs) + " " + describe(entry) + "\n";
    return text;
}
