// The Windows serial port on a real line: under Wine, COM5 is a pseudo-
// terminal whose other end pty_peer.py holds. The peer answers each byte with
// its complement, reports the line settings for 0x01 and swallows 0x02.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "serial/WindowsSerialPort.h"

namespace {

constexpr std::uint8_t REPORT_SETTINGS = 0x01;
constexpr std::uint8_t SWALLOW = 0x02;

class PtyComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PortOpenResult opened = WindowsSerialPort::open("COM5");
        ASSERT_TRUE(opened.port) << opened.device << ": " << opened.reason;
        port = std::move(opened.port);
        port->applyLineSettings();
        port->purge();
    }

    // Everything that comes within `ms` of the last byte, up to `count` bytes.
    std::vector<std::uint8_t> receive(std::size_t count, int ms = 1000)
    {
        std::vector<std::uint8_t> bytes;
        while (bytes.size() < count && port->waitReadable(ms)) {
            const auto status = port->queryStatus();
            EXPECT_EQ(status.errors, 0u);
            std::uint8_t chunk[256];
            const std::size_t n = port->read(chunk, std::min(sizeof chunk, count - bytes.size()));
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

    std::unique_ptr<SerialPort> port;
};

TEST_F(PtyComPortTest, LineIs38400EightNoneOneWithoutHandshake)
{
    ASSERT_TRUE(port->write(&REPORT_SETTINGS, 1));
    port->drain();
    // 38400 baud, 8 bits, no parity, one stop bit, no RTS/CTS, no XON/XOFF.
    EXPECT_EQ(receive(6), (std::vector<std::uint8_t>{1, 1, 0, 0, 0, 0}));
}

TEST_F(PtyComPortTest, BytesGoBothWaysUnchanged)
{
    std::vector<std::uint8_t> sent;
    for (int b = 0x03; b <= 0xFF; ++b)
        sent.push_back(std::uint8_t(b));
    sent.push_back(0x0A);
    sent.push_back(0x0D);
    sent.push_back(0x11); // XON and XOFF are data here
    sent.push_back(0x13);
    ASSERT_TRUE(port->write(sent.data(), sent.size()));
    port->drain();
    std::vector<std::uint8_t> expected;
    for (const auto b : sent)
        expected.push_back(std::uint8_t(b ^ 0xFF));
    EXPECT_EQ(receive(expected.size()), expected);
}

TEST_F(PtyComPortTest, WaitEndsAtItsTimeOutWhenNothingComesAndAtOnceWhenAByteDoes)
{
    ASSERT_TRUE(port->write(&SWALLOW, 1));
    port->drain();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port->waitReadable(300));
    const auto waited = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, 290.0);
    EXPECT_LT(waited, 600.0);

    const std::uint8_t byte = 0x55;
    ASSERT_TRUE(port->write(&byte, 1));
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_TRUE(port->waitReadable(300));
    const auto answered = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
    EXPECT_LT(answered, 150.0);
    EXPECT_EQ(receive(1), (std::vector<std::uint8_t>{0xAA}));
}

// (Windows refuses a second open of a COM port; Wine does not enforce that
// for devices, so it cannot be shown here.)
TEST_F(PtyComPortTest, RtsOnAPseudoTerminalIsReportedAsRefusedAndTheLineGoesOn)
{
    auto& windowsPort = static_cast<WindowsSerialPort&>(*port);
    windowsPort.setRts(true);
    EXPECT_EQ(windowsPort.modemLineError(), DWORD(ERROR_NOT_SUPPORTED));
    windowsPort.setRts(false);
    // The line still works.
    const std::uint8_t byte = 0x0F;
    ASSERT_TRUE(port->write(&byte, 1));
    EXPECT_EQ(receive(1), (std::vector<std::uint8_t>{0xF0}));
}

} // namespace
