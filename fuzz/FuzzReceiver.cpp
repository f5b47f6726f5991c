// The byte receiver fed random bytes, gaps and line errors: whatever arrives, it
// never crashes or hangs, delivers bytes in arrival order without losing one
// while no error intervenes, and reports every error word as a lost connection.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ScriptedPort.h"
#include "serial/SerialLink.h"

namespace {

class OnePort : public PortOpener {
public:
    explicit OnePort(std::unique_ptr<SerialPort> port) : port_(std::move(port)) {}
    PortOpenResult open(const std::string& name) override { return {std::move(port_), name, "", false}; }

private:
    std::unique_ptr<SerialPort> port_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VirtualClock clock;
    auto owned = std::make_unique<ScriptedPort>(clock);
    ScriptedPort& port = *owned;
    OnePort opener(std::move(owned));
    RecordingObserver observer;
    SerialLink link(clock, opener, observer);
    link.openPort("COM1");

    // Each input pair: a gap in tenths of a millisecond and a byte; a gap byte
    // with its top bit set turns the byte into an error word instead.
    std::vector<std::uint8_t> sent;
    bool anyError = false;
    std::uint64_t at = clock.nowUs();
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        at += std::uint64_t(data[i] & 0x7F) * 100;
        if (data[i] & 0x80) {
            port.errorAt(at, data[i + 1] | (std::uint32_t(data[i + 1] & 0x04) << 8));
            anyError = true;
        } else {
            port.bytesAt(at, {data[i + 1]});
            sent.push_back(data[i + 1]);
        }
    }

    std::vector<std::uint8_t> received;
    const std::uint64_t begin = clock.nowUs();
    for (std::size_t n = 0; n < sent.size() + 4; ++n) {
        link.setConnectionState(1);
        const std::uint8_t byte = link.receiveByte();
        if (link.connectionState() == 1)
            received.push_back(byte);
    }
    link.flushLine();
    // Every call ends within its 300 ms (a flush within its bound of about a second).
    if (clock.nowUs() - begin > (sent.size() + 4) * 300'000 + 2'000'000)
        std::abort();
    if (!anyError && received != std::vector<std::uint8_t>(sent.begin(), sent.begin() + long(received.size())))
        std::abort();
    return 0;
}
