// The serial link's port choice, receiver and flush.
#include "serial/SerialLink.h"

#include <algorithm>
#include <array>
#include <utility>

#include "serial/LineErrors.h"
#include "serial/PortNames.h"

namespace {

// A flush lasts as long as bytes keep arriving; a device that never falls
// silent (a wrong device on the port) would hang the window, so a flush gives
// up after about a second. The interface itself never sends that long.
constexpr std::uint32_t FLUSH_GIVE_UP_MS = 1000;

} // namespace

std::string PortChoice::failureText() const { return portOpenFailureText(device, reason, permissionDenied); }

SerialLink::SerialLink(Clock& clock, PortOpener& opener, LinkObserver& observer)
    : clock_(clock), opener_(opener), observer_(observer)
{
}

PortChoice SerialLink::openPort(const std::string& portName)
{
    auto [entry, firstChoice] = remembered_.try_emplace(portName);
    RememberedPort& remembered = entry->second;
    // A port is opened once and kept open: the exclusive open keeps other
    // programs off the adapter between commands, and a device that could not be
    // opened is not tried again. A device that failed after it was opened is the
    // exception: its descriptor belongs to an adapter that is gone (a plugged-in
    // adapter comes back as a new device at the same path), so nothing could
    // ever pass through it again; it has been closed and is opened anew, until
    // that succeeds.
    if (firstChoice || remembered.failed) {
        const bool retried = remembered.failed;
        PortOpenResult opened = opener_.open(portName);
        remembered = {portName, std::move(opened.port), std::move(opened.device), std::move(opened.reason),
                      opened.permissionDenied};
        remembered.failed = retried && !remembered.port;
    }
    current_ = &remembered;
    if (remembered.port)
        remembered.port->applyLineSettings();
    return {remembered.port != nullptr, remembered.device, remembered.reason, remembered.permissionDenied};
}

void SerialLink::closeCurrentPort()
{
    if (!current_)
        return;
    std::erase_if(remembered_, [this](const auto& entry) { return &entry.second == current_; });
    current_ = nullptr;
}

void SerialLink::setRts(bool asserted)
{
    if (SerialPort* port = usablePort())
        port->setRts(asserted);
}

void SerialLink::sendFrame(std::span<const std::uint8_t> frame) { transmit(frame, false); }

void SerialLink::sendRequest(std::span<const std::uint8_t> frame) { transmit(frame, true); }

void SerialLink::transmit(std::span<const std::uint8_t> frame, bool answerFollows)
{
    SerialPort* port = usablePort();
    if (!port)
        return;
    const bool written = port->write(frame.data(), frame.size());
    if (written) {
        requestLeftUs_ = answerFollows ? port->outputLeftUs() : std::nullopt;
        if (!requestLeftUs_)
            port->drain();
    }
    std::uint32_t failure = port->deviceFailure();
    if (!written && failure == 0)
        failure = LineError::IOE; // a network port whose connection is gone
    if (failure != 0)
        closeFailedPort(failure);
}

std::uint8_t SerialLink::receiveByte()
{
    // After sendRequest the frame may still be on its way out; the time-out
    // counts from the moment it has left, as after sendFrame.
    const std::uint64_t fromUs = std::max(clock_.nowUs(), requestLeftUs_.value_or(0));
    requestLeftUs_.reset();
    const auto startTick = static_cast<std::uint32_t>(fromUs / 1000);
    const std::uint32_t deadlineTick = startTick + BYTE_TIMEOUT_MS;
    for (;;) {
        SerialPort* port = usablePort();
        if (port) {
            const SerialPort::Status status = port->queryStatus();
            if (status.errors & LineError::IOE) {
                closeFailedPort(status.errors);
                return 0;
            }
            if (status.errors != 0) {
                // Bytes already in the store stay there for a later call.
                observer_.lineErrors(status.errors);
                markDisconnected();
                return 0;
            }
            takeQueuedBytes(*port, status.queued);
        }
        if (!store_.empty())
            return store_.pop();
        if (portFailed()) {
            // Nothing can come: no time-out to wait for.
            markDisconnected();
            return 0;
        }

        // Difference of ticks: a wrap of the counter does no harm; it is
        // negative while a request is still leaving.
        const auto elapsed = static_cast<std::int32_t>(clock_.tick() - startTick);
        if (elapsed >= static_cast<std::int32_t>(BYTE_TIMEOUT_MS)) {
            markDisconnected();
            return 0;
        }
        // Sleep until input, an error or the deadline instead of spinning: the
        // byte is still delivered as soon as it arrives.
        if (port)
            clock_.waitForInput(*port, deadlineTick);
        else
            clock_.pause(BYTE_TIMEOUT_MS - elapsed);
    }
}

void SerialLink::flushLine()
{
    store_.clear();
    requestLeftUs_.reset();
    for (std::uint32_t waited = 0; waited < FLUSH_GIVE_UP_MS;) {
        clock_.pause(FLUSH_QUIET_MS);
        waited += FLUSH_QUIET_MS;
        std::size_t queued = 0;
        if (SerialPort* port = usablePort()) {
            // Errors seen here are dropped: no box, no change of state.
            queued = port->queryStatus().queued;
            port->purge();
        }
        if (queued == 0)
            return;
    }
}

void SerialLink::closeFailedPort(std::uint32_t flags)
{
    observer_.lineErrors(flags);
    current_->port.reset();
    current_->failed = true;
    markDisconnected();
}

void SerialLink::markDisconnected()
{
    connectionState_ = -1;
    observer_.connectionLost();
}

void SerialLink::takeQueuedBytes(SerialPort& port, std::size_t queued)
{
    // Never more than the store can hold: the rest waits in the driver.
    const std::size_t wanted = std::min(queued, store_.freeRoom());
    if (wanted == 0)
        return;
    std::array<std::uint8_t, ReceiveStore::CAPACITY> chunk;
    const std::size_t got = std::min(port.read(chunk.data(), wanted), wanted);
    for (std::size_t i = 0; i < got; ++i)
        store_.push(chunk[i]);
}
