// The program's one clock. Every pause and every time-out goes through it, so
// that tests can run minutes of EEPROM programming in virtual time and assert
// each pause exactly.
#pragma once

#include <cstdint>
#include <functional>

class SerialPort;

// The idle hook's turns during an operation come about this often, no more:
// twenty repaints a second keep the gauge and the grid moving smoothly, and
// each turn costs the operation a millisecond or two.
constexpr std::uint32_t IDLE_TURN_MS = 50;

class Clock {
public:
    virtual ~Clock() = default;

    // Microseconds since an arbitrary origin; never goes backwards.
    virtual std::uint64_t nowUs() = 0;

    // The millisecond tick counter; it wraps like a 32-bit counter, so compare
    // ticks by unsigned difference.
    std::uint32_t tick() { return static_cast<std::uint32_t>(nowUs() / 1000); }

    // A pause of the procedures (reset pulse, programming time, ...).
    virtual void pause(std::uint32_t ms) = 0;

    // Sleeps until nowUs() reaches the given time (used to model wire time).
    virtual void sleepUntilUs(std::uint64_t us) = 0;

    // Returns when the port has input or an error to report, or when the tick
    // reaches deadlineTick, whichever comes first. True when the port is ready.
    virtual bool waitForInput(SerialPort& port, std::uint32_t deadlineTick) = 0;

    // Called now and then during long pauses and waits (at most every few tens
    // of milliseconds) so that the window can repaint. Empty by default.
    void setIdleHook(std::function<void()> hook) { idleHook_ = std::move(hook); }

protected:
    void idle()
    {
        if (idleHook_)
            idleHook_();
    }

private:
    std::function<void()> idleHook_;
};
