// The serial link's port choice, receiver and flush.
#include "serial/SerialLink.h"

#include <algorithm>
#include <array>
#include <utility>

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
    if (firstChoice) {
        PortOpenResult opened = opener_.open(portName);
        remembered = {std::move(opened.port), std::move(opened.device), std::move(opened.reason),
                      opened.permissionDenied};
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

void SerialLink::sendFrame(std::span<const std::uint8_t> frame)
{
    SerialPort* port = usablePort();
    if (port && port->write(frame.data(), frame.size()))
        port->drain();
}

void SerialLink::sendRequest(std::span<const std::uint8_t> frame)
{
    SerialPort* port = usablePort();
    if (!port || !port->write(frame.data(), frame.size()))
        return;
    requestLeftUs_ = port->outputLeftUs();
    if (!requestLeftUs_)
        port->drain();
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
