// What the simulated board saw: every frame it received, every RTS change, and
// notes on what went wrong inside (short programming pulses, timing faults,
// ACCERR/PVIOL causes). Tests compare whole exchanges with it, pause by pause.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SimTraceEntry {
    enum class Kind { Frame, Rts, Note };
    Kind kind;
    std::uint64_t atUs;      // frame: when its first byte began; RTS and notes: when it happened
    std::uint64_t endUs;     // frame: when its last byte arrived; otherwise = atUs
    std::uint64_t sinceUs;   // frames and RTS: quiet time since the previous frame or RTS change ended
    std::vector<std::uint8_t> bytes; // frame bytes
    bool rts = false;                // RTS: asserted?
    std::string text;                // note text
};

class SimTrace {
public:
    void addFrame(std::vector<std::uint8_t> bytes, std::uint64_t startUs, std::uint64_t endUs);
    void addRts(bool asserted, std::uint64_t atUs);
    void addNote(std::string text, std::uint64_t atUs);
    void clear(); // drops the entries; pauses are still measured from the last event

    const std::vector<SimTraceEntry>& entries() const { return entries_; }

    // "C 00 0F", "s 0D 00 FF FF", "U 02", "R", "RTS 1", "RTS 0", "# <note>".
    static std::string describe(const SimTraceEntry& entry);
    // Frames and RTS changes only, without times.
    std::vector<std::string> frames() const;
    // Frames and RTS changes, each preceded by its quiet time in whole ms
    // (rounded to nearest): "10 z 00 F3 B7".
    std::vector<std::string> framesWithPauses() const;
    // Notes only (their text).
    std::vector<std::string> notes() const;
    // Everything, one line each, for a failing test's output.
    std::string dump() const;

private:
    std::uint64_t lastEndUs_ = 0;
    bool anyEvent_ = false;
    std::vector<SimTraceEntry> entries_;
};
