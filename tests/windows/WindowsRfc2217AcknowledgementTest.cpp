// Windows cannot be told to acknowledge at once, and ser2net sends each byte
// of an answer only after the last one's acknowledgement: the RFC 2217 port
// answers every receipt with a Telnet NOP, whose segment carries the
// acknowledgement, so that a byte waits no 200 ms (40 ms under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "FakeComPortServer.h"
#include "serial/Rfc2217Port.h"

TEST(WindowsRfc2217Acknowledgement, EveryReceiptIsAnsweredWithATelnetNop)
{
    using namespace telnet;
    const FakeComPortServer::Bytes nop{IAC, NOP};
    std::atomic<bool> nopAfterData = false;
    FakeComPortServer server([&](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntil([&] { return !s.data().empty(); });
        const std::size_t before = s.raw().size();
        s.sendData({0x5A});
        nopAfterData = s.serveUntil([&] {
            const auto raw = s.raw();
            return std::search(raw.begin() + std::ptrdiff_t(before), raw.end(), nop.begin(), nop.end()) != raw.end();
        });
        s.serveUntilClosed();
    });
    {
        PortOpenResult opened = Rfc2217Port::open(server.url(), server.host(), server.port(), {500, 500, 300});
        ASSERT_TRUE(opened.port) << opened.reason;
        ASSERT_TRUE(opened.port->write(FakeComPortServer::Bytes{'R'}.data(), 1));
        ASSERT_TRUE(opened.port->waitReadable(2000));
        std::uint8_t byte = 0;
        EXPECT_EQ(opened.port->read(&byte, 1), 1u);
        EXPECT_EQ(byte, 0x5A);
    }
    server.finish();
    EXPECT_TRUE(nopAfterData) << "no NOP carried the acknowledgement of the byte";
    EXPECT_EQ(server.data(), FakeComPortServer::Bytes{'R'}) << "a NOP is no byte on the line";
}
