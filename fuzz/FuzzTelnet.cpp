// The Telnet and COM-PORT-OPTION decoding fed whatever a server might send:
// it never crashes, decodes a stream the same however the stream is cut into
// pieces, stays within its bounds, and gives back exactly the line data that
// went in framed by our own encoder, every 0xFF included.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

#include "serial/ComPortOption.h"
#include "serial/TelnetCodec.h"

namespace {

struct Decoded {
    std::deque<std::uint8_t> data;
    std::vector<TelnetEvent> events;
    bool intact = true;
};

// The stream in pieces whose sizes (1 to 16) come from the stream itself.
Decoded decodeInPieces(const std::uint8_t* bytes, std::size_t size, bool whole)
{
    TelnetDecoder decoder;
    Decoded decoded;
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = whole ? size : std::min<std::size_t>(size - at, 1 + bytes[at] % 16);
        decoded.intact = decoder.decode({bytes + at, piece}, decoded.data, decoded.events);
        at += piece;
    }
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Decoded whole = decodeInPieces(data, size, true);
    const Decoded pieces = decodeInPieces(data, size, false);
    if (whole.data != pieces.data || whole.events != pieces.events || whole.intact != pieces.intact)
        std::abort();
    if (whole.data.size() > size)
        std::abort();
    for (const TelnetEvent& event : whole.events) {
        const auto* sub = std::get_if<TelnetSubnegotiation>(&event);
        if (!sub)
            continue;
        if (sub->payload.size() > TelnetDecoder::MAX_SUBNEGOTIATION)
            std::abort();
        if (const auto command = serverComPortCommand(sub->payload); command && !command->value.empty())
            (void)lineErrorsOfLineState(command->value[0]);
    }

    // The same bytes as line data, framed and decoded again.
    std::vector<std::uint8_t> framed;
    appendTelnetData(framed, {data, size});
    const Decoded back = decodeInPieces(framed.data(), framed.size(), false);
    if (!back.intact || !back.events.empty() || !std::equal(back.data.begin(), back.data.end(), data, data + size) ||
        back.data.size() != size)
        std::abort();
    return 0;
}
