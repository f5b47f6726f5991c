// One open serial device, as the serial link sees it. The POSIX port and the
// simulated interface both implement it; the link never touches a file
// descriptor itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "serial/LineErrors.h"

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // 38400 baud, 8 data bits, no parity, one stop bit, raw, DTR inactive,
    // RTS left as it was. Failures are not reported (the next receive times out).
    virtual void applyLineSettings() = 0;

    // Asserts or releases RTS; fails silently on lines without modem control.
    virtual void setRts(bool asserted) = 0;

    // Writes all bytes (or fails); returns false on failure.
    virtual bool write(const std::uint8_t* data, std::size_t length) = 0;

    // Blocks until everything written has left the PC.
    virtual void drain() = 0;

    // After a write and its drain: why the device can take nothing more (LineError
    // flags: IOE when it is gone or hung up, TXFULL when its output cannot
    // leave), 0 while it works. A failed write without flags also counts as gone.
    virtual std::uint32_t deviceFailure() const { return 0; }

    // Simulated devices: the time (Clock::nowUs) by which everything written
    // will have left the PC, so that a caller who only waits for the answer
    // next need not wake up for drain() first: the answer cannot come before.
    // Real devices: none (they are drained).
    virtual std::optional<std::uint64_t> outputLeftUs() { return std::nullopt; }

    struct Status {
        std::uint32_t errors = 0; // LineError flags seen since the last query
        std::size_t queued = 0;   // bytes waiting to be read
    };
    // Reads and clears the error flags, and counts the queued input.
    virtual Status queryStatus() = 0;

    // Reads up to maxLength queued bytes without waiting; returns the count.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t maxLength) = 0;

    // Discards both directions (pending output is aborted, input dropped).
    virtual void purge() = 0;

    // Real devices: waits with poll() up to timeoutMs for input or an error.
    virtual bool waitReadable(int timeoutMs) = 0;

    // Simulated devices: the time (Clock::nowUs) at which the next input byte or
    // line error becomes visible (possibly already past), so that a virtual
    // clock can jump there; none when nothing more is on its way. Real devices:
    // always none (they are waited for with waitReadable).
    virtual std::optional<std::uint64_t> nextInputUs() { return std::nullopt; }
};
