// A simulated interface with a simulated target board behind it. It models the
// adapter's side of the serial line: the bytes the PC sends arrive one by one at
// 38400 baud (10 bit times each), complete frames are carried out on the target,
// answers go back at the same speed, and an RTS pulse resets the interface,
// which then greets with "paww". Tests create a board, keep it, and talk to it
// through openPort(); afterwards they inspect its EEPROM and its trace.
//
// The board is driven lazily: whenever the port is used, everything the line
// would have carried up to that moment is processed.
//
// Choices of this interface (its firmware is not ours to know):
// - A reset (RTS asserted for at least 1 ms, then released) also resets the
//   target's registers and makes the interface forget its clock divider: until
//   the next 'U' it cannot reach the target (reads answer 0xFF, writes are lost),
//   so a procedure that forgets to send the divider after a reset fails here
//   even on a 16 MHz board. Connecting sends 'U' right after the greeting.
// - 'R' is accepted and does nothing: the simulated target always runs.
// - A half-received frame waits for its remaining bytes; only a reset drops it.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "serial/Clock.h"
#include "serial/SerialPort.h"
#include "sim/SimFaults.h"
#include "sim/SimParts.h"
#include "sim/SimTrace.h"
#include "sim/TargetMemory.h"

class SimulatedBoard : public std::enable_shared_from_this<SimulatedBoard> {
public:
    static constexpr std::uint32_t BAUD = 38400;
    static constexpr std::uint32_t BITS_PER_BYTE = 10;
    // The shortest RTS pulse that resets the interface.
    static constexpr std::uint64_t MIN_RESET_PULSE_US = 1000;

    // Null, with a reason, for an unknown model name or a crystal other than 4, 8 or 16 MHz.
    static std::shared_ptr<SimulatedBoard> create(const std::string& modelName, int crystalMHz, std::string& reason,
                                                  SimFaults faults = {});
    SimulatedBoard(const SimPart& part, int crystalMHz, SimFaults faults);
    SimulatedBoard(const SimulatedBoard&) = delete; // the target's notes point back into the board
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    // A port on this board; the port shares the board, so the caller may keep it too.
    std::unique_ptr<SerialPort> openPort(Clock& clock);

    // The divider byte ('U') that suits the board's crystal.
    static std::uint8_t dividerFor(int crystalMHz);
    // When the k-th byte (k = 1, 2, ...) of a run that starts at startUs has been carried.
    static std::uint64_t byteEndUs(std::uint64_t startUs, std::uint64_t k);

    // --- inspection and set-up (tests) ---
    const SimPart& part() const { return memory_.part(); }
    int crystalMHz() const { return crystalMHz_; }
    std::vector<std::uint8_t>& eeprom() { return memory_.eeprom().cells(); }
    EepromModule& eepromModule() { return memory_.eeprom(); }
    TargetMemory& memory() { return memory_; }
    // Faults may be changed at any time; the target's reset-time faults act at the next reset.
    SimFaults& faults() { return faults_; }
    SimTrace& trace() { return trace_; }
    // The target's memory as a working interface would read it now (no line
    // faults, no unstable reads); tests use it to look at registers.
    std::uint8_t peek(std::uint16_t address) { return memory_.read(address, lastNowUs_); }
    // The divider last received; none before the first 'U' after a reset.
    std::optional<std::uint8_t> divider() const { return divider_; }

    // --- the line, as the port sees it (times are Clock::nowUs) ---
    void pcWrite(const std::uint8_t* data, std::size_t length, std::uint64_t nowUs);
    std::uint64_t pcLineFreeUs() const { return pcLineFreeUs_; }
    void setRts(bool asserted, std::uint64_t nowUs);
    std::size_t queuedInput(std::uint64_t nowUs);
    std::size_t readInput(std::uint8_t* buffer, std::size_t maxLength, std::uint64_t nowUs);
    std::uint32_t takeLineErrors(std::uint64_t nowUs);
    void purge(std::uint64_t nowUs);
    std::optional<std::uint64_t> nextInputUs(std::uint64_t nowUs);
    // Processes everything that has reached the interface by nowUs.
    void advanceTo(std::uint64_t nowUs);

private:
    struct Incoming {
        std::uint64_t startUs; // byte: when its start bit began; RTS: = atUs
        std::uint64_t atUs;    // byte: arrival of its stop bit; RTS: the change
        bool isRts;
        std::uint8_t byte;
        bool rts;
    };
    struct Outgoing {
        std::uint64_t atUs;
        std::uint8_t byte;
    };
    struct PendingError {
        std::uint64_t atUs;
        std::uint32_t flags;
    };

    void process(const Incoming& event);
    void receiveByte(const Incoming& event);
    void changeRts(bool asserted, std::uint64_t atUs);
    void executeFrame(std::uint64_t endUs);
    std::uint8_t readTarget(std::uint16_t address, std::uint64_t atUs);
    void send(const std::vector<std::uint8_t>& bytes, std::uint64_t readyUs);
    void note(const std::string& text, std::uint64_t atUs) { trace_.addNote(text, atUs); }
    bool linkWorks() const { return divider_ && *divider_ == dividerFor(crystalMHz_); }

    int crystalMHz_;
    SimFaults faults_;
    SimTrace trace_;
    TargetMemory memory_;
    std::mt19937 random_;

    std::uint64_t lastNowUs_ = 0;

    // PC to interface.
    std::deque<Incoming> incoming_;
    std::uint64_t pcRunStartUs_ = 0;
    std::uint64_t pcRunBytes_ = 0;
    std::uint64_t pcLineFreeUs_ = 0;
    bool pcRts_ = false;

    // The interface.
    bool rtsAsserted_ = false;
    std::uint64_t rtsAssertedAtUs_ = 0;
    std::vector<std::uint8_t> frame_;
    std::uint64_t frameStartUs_ = 0;
    std::optional<std::uint8_t> divider_;
    std::map<std::uint16_t, std::uint32_t> unstableReadCounts_;

    // Interface to PC.
    std::deque<Outgoing> outgoing_;
    std::deque<PendingError> errors_;
    std::uint64_t outRunStartUs_ = 0;
    std::uint64_t outRunBytes_ = 0;
    std::uint64_t outLineFreeUs_ = 0;
    std::size_t answerBytesSent_ = 0;
};
