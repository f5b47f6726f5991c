// One command's exchange on the wire, cut out of a simulated board's trace in
// the trace's own format ("10 z 00 F3 B7": the quiet time before the frame in
// whole milliseconds, then the frame). Unit tests and window tests compare it
// with the tables of ExpectedExchanges.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimTrace.h"

// Where a command began: the trace entry it will write first, and the time.
struct ExchangeMark {
    std::size_t firstEntry = 0;
    std::uint64_t startUs = 0;
};

// Frames and RTS changes from the mark on. The first line's pause counts from
// the command's start (so a flush before the first frame shows as 30), the
// others from the end of the frame or RTS change before them.
inline std::vector<std::string> exchangeSince(const SimTrace& trace, const ExchangeMark& mark)
{
    std::vector<std::string> lines;
    const auto& entries = trace.entries();
    bool first = true;
    for (std::size_t i = mark.firstEntry; i < entries.size(); ++i) {
        const SimTraceEntry& entry = entries[i];
        if (entry.kind == SimTraceEntry::Kind::Note)
            continue;
        const std::uint64_t quietUs =
            first ? (entry.atUs > mark.startUs ? entry.atUs - mark.startUs : 0) : entry.sinceUs;
        lines.push_back(std::to_string((quietUs + 500) / 1000) + " " + SimTrace::describe(entry));
        first = false;
    }
    return lines;
}

// Quiet time on the line from the last frame or RTS change to the given time,
// in whole ms: the closing flush of a command shows here.
inline std::uint64_t quietAtEndMs(const SimTrace& trace, std::uint64_t endUs)
{
    std::uint64_t lastUs = 0;
    for (const auto& entry : trace.entries())
        if (entry.kind != SimTraceEntry::Kind::Note)
            lastUs = entry.endUs;
    return endUs > lastUs ? (endUs - lastUs + 500) / 1000 : 0;
}
