// The POSIX port on a pseudo-terminal pair: the slave is opened as the serial
// device, the master plays the interface.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "serial/PosixSerialPort.h"
#include "serial/RealClock.h"
#include "texts/Texts.h"
#include "serial/SerialLink.h"
#include "ScriptedPort.h"

namespace {

class Pty : public ::testing::Test {
protected:
    void SetUp() override
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slavePath = ::ptsname(master);
    }
    void TearDown() override
    {
        if (master >= 0)
            ::close(master);
    }

    std::unique_ptr<SerialPort> openSlave()
    {
        PortOpenResult opened = PosixSerialPort::open(slavePath);
        EXPECT_TRUE(opened.port) << opened.reason;
        EXPECT_EQ(opened.device, slavePath);
        return std::move(opened.port);
    }

    void masterWrites(const std::vector<std::uint8_t>& bytes)
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    std::vector<std::uint8_t> masterReads(std::size_t count)
    {
        std::vector<std::uint8_t> got;
        pollfd readable{master, POLLIN, 0};
        while (got.size() < count && ::poll(&readable, 1, 2000) > 0) {
            std::uint8_t chunk[64];
            const ssize_t n = ::read(master, chunk, sizeof chunk);
            if (n <= 0)
                break;
            got.insert(got.end(), chunk, chunk + n);
        }
        return got;
    }

    int master = -1;
    std::string slavePath;
};

TEST_F(Pty, LineSettingsAreRaw38400EightNoneOneWithoutHangupOrHandshake)
{
    // Leave the line the way another program might have: cooked, 9600, two
    // stop bits, hang-up on close, hardware and software handshake.
    termios messy{};
    ASSERT_EQ(::tcgetattr(master, &messy), 0);
    messy.c_lflag |= ICANON | ECHO | ISIG;
    messy.c_oflag |= OPOST;
    messy.c_iflag |= ICRNL | IXON | IXOFF;
    messy.c_cflag |= CSTOPB | HUPCL | CRTSCTS;
    messy.c_cflag &= ~CLOCAL;
    ::cfsetispeed(&messy, B9600);
    ::cfsetospeed(&messy, B9600);
    ASSERT_EQ(::tcsetattr(master, TCSANOW, &messy), 0);

    auto port = openSlave();
    port->applyLineSettings();

    termios now{};
    ASSERT_EQ(::tcgetattr(master, &now), 0); // a master reads its slave's settings
    EXPECT_EQ(::cfgetospeed(&now), speed_t(B38400));
    EXPECT_EQ(::cfgetispeed(&now), speed_t(B38400));
    EXPECT_EQ(now.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(now.c_cflag & (PARENB | CSTOPB | HUPCL | CRTSCTS), 0u);
    EXPECT_EQ(now.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(now.c_oflag & OPOST, 0u);
    EXPECT_EQ(now.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
}

TEST_F(Pty, BytesGoBothWaysUnchanged)
{
    auto port = openSlave();
    port->applyLineSettings();

    const std::vector<std::uint8_t> request = {'C', 0x0D, 0x0A, 0x11, 0x13, 0xFF};
    ASSERT_TRUE(port->write(request.data(), request.size()));
    port->drain();
    EXPECT_EQ(masterReads(request.size()), request);

    const std::vector<std::uint8_t> answer = {'p', 'a', 0x00, 0x0D, 0x03, 0x7F};
    masterWrites(answer);
    ASSERT_TRUE(port->waitReadable(2000));
    const auto status = port->queryStatus();
    EXPECT_EQ(status.errors, 0u);
    EXPECT_EQ(status.queued, answer.size());
    std::vector<std::uint8_t> got(16);
    got.resize(port->read(got.data(), got.size()));
    EXPECT_EQ(got, answer);
    EXPECT_EQ(port->read(got.data(), got.size()), 0u) << "an empty line reads nothing at once";
}

TEST_F(Pty, PurgeDropsPendingInput)
{
    auto port = openSlave();
    port->applyLineSettings();
    masterWrites({1, 2, 3});
    ASSERT_TRUE(port->waitReadable(2000));
    port->purge();
    EXPECT_EQ(port->queryStatus().queued, 0u);
    std::uint8_t byte = 0;
    EXPECT_EQ(port->read(&byte, 1), 0u);
}

TEST_F(Pty, OpenIsExclusiveUntilThePortIsClosed)
{
    auto port = openSlave();
    const PortOpenResult second = PosixSerialPort::open(slavePath);
    EXPECT_FALSE(second.port);
    EXPECT_EQ(second.device, slavePath);
    EXPECT_EQ(second.reason, toStdString(texts::PORT_REASON_IN_USE));
    EXPECT_FALSE(second.permissionDenied);

    port.reset();
    EXPECT_TRUE(PosixSerialPort::open(slavePath).port);
}

TEST_F(Pty, ModemLinesFailSilently)
{
    auto port = openSlave();
    port->applyLineSettings();
    port->setRts(true);
    port->setRts(false);
    masterWrites({0x42});
    ASSERT_TRUE(port->waitReadable(2000));
    EXPECT_EQ(port->queryStatus().errors, 0u) << "a line without counters reports no errors";
}

TEST_F(Pty, HangUpIsAnIoError)
{
    auto port = openSlave();
    ::close(master);
    master = -1;
    EXPECT_TRUE(port->waitReadable(2000));
    EXPECT_EQ(port->queryStatus().errors & LineError::IOE, LineError::IOE);
}

TEST(PosixSerialPort, WhatIsNoTerminalIsRefused)
{
    const struct {
        const char* path;
        Text reason;
    } cases[] = {{"/nonexistent/ttyUSB0", texts::PORT_REASON_NO_DEVICE}, {"/dev/null", texts::PORT_REASON_NOT_SERIAL}};
    for (const auto& c : cases) {
        const PortOpenResult opened = PosixSerialPort::open(c.path);
        EXPECT_FALSE(opened.port) << c.path;
        EXPECT_EQ(opened.reason, toStdString(c.reason)) << c.path;
    }
}

TEST_F(Pty, LinkOnTheRealClockDeliversWhatArrives)
{
    struct Opener : PortOpener {
        std::string path;
        PortOpenResult open(const std::string&) override { return PosixSerialPort::open(path); }
    } opener;
    opener.path = slavePath;
    RealClock clock;
    RecordingObserver observer;
    SerialLink link(clock, opener, observer);
    ASSERT_TRUE(link.openPort("COM1").usable);
    link.setConnectionState(1);

    link.sendFrame({'C', 0x00, 0x0F});
    EXPECT_EQ(masterReads(3), (std::vector<std::uint8_t>{'C', 0x00, 0x0F}));
    masterWrites({0xA5, 0x00});
    EXPECT_EQ(link.receiveByte(), 0xA5);
    EXPECT_EQ(link.receiveByte(), 0x00);
    EXPECT_EQ(link.connectionState(), 1);
    EXPECT_TRUE(observer.events.empty());
}

} // namespace
