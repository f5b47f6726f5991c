// The serial link: the chosen port, its line settings, the byte receiver with
// its 300 ms time-out and line-error checks, flushing, and the connection state
// that the target procedures test after every read. One object for the whole
// run, used only from the GUI thread. It moves bytes and knows no command of
// the interface: the frames are procedures/InterfaceCommands.h.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "serial/Clock.h"
#include "serial/LinkObserver.h"
#include "serial/PortOpener.h"
#include "serial/ReceiveStore.h"
#include "serial/SerialPort.h"

// The receiver's timing, in milliseconds.
inline constexpr std::uint32_t BYTE_TIMEOUT_MS = 300; // per received byte, not per frame
inline constexpr std::uint32_t FLUSH_QUIET_MS = 30;   // a flush ends after this long without input

// What choosing a port came to; the window shows the box when it is not usable.
struct PortChoice {
    bool usable = false;
    std::string device;            // what the port name was resolved to
    std::string reason;            // why the open failed
    bool permissionDenied = false; // the user is not in the dialout group

    // The box text: the fixed first line, then the device and the reason.
    std::string failureText() const;
};

class SerialLink {
public:
    SerialLink(Clock& clock, PortOpener& opener, LinkObserver& observer);

    Clock& clock() { return clock_; }

    // Makes the named port ("COM1" ... "COM4") current, opening it on its first
    // choice only: a later choice reuses what the first one gave, a failure too
    // (the device is not tried again in this run). The line settings are applied
    // on every choice of an open port, so they return to their values. The one
    // exception is a port whose device failed after it was opened (portFailed):
    // every choice of it opens the device anew until that works again.
    PortChoice openPort(const std::string& portName);
    bool hasPort() const { return current_ != nullptr; }
    bool portUsable() const { return current_ != nullptr && current_->port != nullptr; }
    // The current port's device failed while in use (an I/O error, a hang-up,
    // output that could not leave) and has been closed.
    bool portFailed() const { return current_ != nullptr && current_->failed; }
    // Opens the current port's device anew, as choosing it again does.
    PortChoice reopenFailedPort() { return openPort(current_->name); }
    // At exit: closes the current port; other ports stay open until the process ends.
    void closeCurrentPort();

    // Asserts or releases RTS; silent without a usable port or modem lines.
    void setRts(bool asserted);

    // Writes a frame and waits until it has left the PC. Without a usable port
    // nothing happens. A device that fails on the way (see SerialPort::
    // deviceFailure) is reported as the receiver reports an I/O error: its line
    // error box, the port closed, the connection-lost step, all at once, so that
    // a command never goes on as if the bytes had left.
    void sendFrame(std::span<const std::uint8_t> frame);
    void sendFrame(std::initializer_list<std::uint8_t> frame) { sendFrame(std::span(frame.begin(), frame.size())); }

    // A frame whose answer is received next (receiveByte() must follow): the
    // same bytes as sendFrame, but on a port that can tell when they will have
    // left, waiting for that becomes part of waiting for the answer, one
    // wake-up instead of two. The answer's time-out still counts from then.
    void sendRequest(std::span<const std::uint8_t> frame);

    // The next byte from the interface, or 0 after 300 ms without one or after a
    // line error (both disconnect; a received 0x00 leaves the state as it was).
    // An I/O error closes the port (portFailed); after that every receive is 0
    // and disconnects at once.
    // The 300 ms count from the call, so after sendFrame or sendRequest from the
    // moment the frame has left.
    std::uint8_t receiveByte();

    // Drops everything pending both ways until a 30 ms pass sees no input.
    void flushLine();

    // The connection-lost step: state -1, then the window's part.
    void markDisconnected();
    std::int8_t connectionState() const { return connectionState_; }
    void setConnectionState(std::int8_t state) { connectionState_ = state; }

    // The byte sent after 'U'; only its two lowest bits ever change.
    std::uint8_t clockDivider() const { return clockDivider_; }
    void setClockDivider(std::uint8_t divider) { clockDivider_ = divider; }

private:
    // Writes the frame; then waits until it has left, unless an answer follows
    // and the port can say when it will have left. A device that fails on the
    // way is closed (closeFailedPort).
    void transmit(std::span<const std::uint8_t> frame, bool answerFollows);

    struct RememberedPort {
        std::string name;                 // "COM1" ... "COM4"
        std::unique_ptr<SerialPort> port; // empty when the open failed
        std::string device;
        std::string reason;
        bool permissionDenied = false;
        bool failed = false; // the device failed after it was opened
    };

    SerialPort* usablePort() { return portUsable() ? current_->port.get() : nullptr; }
    void closeFailedPort(std::uint32_t flags);
    void takeQueuedBytes(SerialPort& port, std::size_t queued);

    Clock& clock_;
    PortOpener& opener_;
    LinkObserver& observer_;
    std::map<std::string, RememberedPort> remembered_;
    RememberedPort* current_ = nullptr;
    ReceiveStore store_;
    std::int8_t connectionState_ = -1;
    std::uint8_t clockDivider_ = 0x00;
    std::optional<std::uint64_t> requestLeftUs_; // set by sendRequest, taken by receiveByte
};
