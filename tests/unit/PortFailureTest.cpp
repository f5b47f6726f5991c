// An adapter pulled out in the middle of a command, played by a pseudo-terminal
// whose master side (the interface's end) closes: the command ends as a lost
// connection, never as a success, and the next connect opens the device anew.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TargetFakes.h"
#include "procedures/InterfaceCommands.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"

namespace {

using namespace std::chrono_literals;

const std::string IO_BOX = toStdString(texts::LINE_IO_ERROR);
const std::string LOST_BOX = toStdString(texts::CONNECTION_LOST);

// The interface's end of a pseudo-terminal, served by a thread: read requests
// are answered, write frames taken; it can close its end on the n-th frame of a
// command (the adapter pulled out), and greet after a reset. Packet mode shows
// it the PC's flushes: the greeting goes out once the line has been quiet for a
// while after a flush, when the PC waits for it after the reset pulse (RTS
// itself does not cross a pseudo-terminal).
class PtyInterface {
public:
    PtyInterface(std::uint8_t closeOn = 0, int closeAtFrame = 0, bool greets = false)
        : closeOn_(closeOn), closeAtFrame_(closeAtFrame), greets_(greets)
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        EXPECT_GE(master_, 0);
        EXPECT_EQ(::grantpt(master_), 0);
        EXPECT_EQ(::unlockpt(master_), 0);
        int packet = 1;
        EXPECT_EQ(::ioctl(master_, TIOCPKT, &packet), 0);
        slavePath_ = ::ptsname(master_);
        thread_ = std::thread([this] { serve(); });
    }
    ~PtyInterface()
    {
        stop_ = true;
        thread_.join();
        if (master_ >= 0)
            ::close(master_);
    }

    const std::string& slavePath() const { return slavePath_; }
    bool closed() const { return closed_; }
    std::string commandsSeen() const
    {
        const std::lock_guard lock(mutex_);
        return commands_;
    }

private:
    static std::size_t frameLength(std::uint8_t command)
    {
        switch (command) {
        case CMD_START:
            return 1;
        case CMD_SET_DIVIDER:
            return 2;
        case CMD_WRITE_BYTE:
            return 4;
        case CMD_WRITE_WORD:
            return 5;
        default:
            return 3;
        }
    }

    void serve()
    {
        std::vector<std::uint8_t> pending;
        std::map<std::uint8_t, int> counts;
        std::optional<std::chrono::steady_clock::time_point> flushedAt;
        while (!stop_ && master_ >= 0) {
            pollfd readable{master_, POLLIN, 0};
            if (::poll(&readable, 1, 5) > 0) {
                std::uint8_t chunk[256];
                const ssize_t n = ::read(master_, chunk, sizeof chunk);
                if (n <= 0)
                    continue;
                if (chunk[0] != TIOCPKT_DATA) {
                    if (chunk[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE))
                        flushedAt = std::chrono::steady_clock::now();
                    continue;
                }
                flushedAt.reset();
                pending.insert(pending.end(), chunk + 1, chunk + n);
            }
            while (!pending.empty() && pending.size() >= frameLength(pending[0]) && master_ >= 0) {
                const std::uint8_t command = pending[0];
                pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(frameLength(command)));
                {
                    const std::lock_guard lock(mutex_);
                    commands_.push_back(char(command));
                }
                if (command == closeOn_ && ++counts[command] == closeAtFrame_) {
                    ::close(master_);
                    master_ = -1;
                    closed_ = true;
                } else if (command == CMD_READ_BYTE) {
                    answer({0x00});
                } else if (command == CMD_READ_WORD) {
                    answer({0x12, 0x34});
                }
            }
            // The greeting is read 210 ms after the reset's flush ended; a flush
            // ends 30 ms after its last purge.
            if (greets_ && flushedAt && std::chrono::steady_clock::now() - *flushedAt > 120ms) {
                answer({GREETING.begin(), GREETING.end()});
                flushedAt.reset();
            }
        }
    }

    void answer(const std::vector<std::uint8_t>& bytes) { (void)!::write(master_, bytes.data(), bytes.size()); }

    int master_ = -1;
    std::string slavePath_;
    const std::uint8_t closeOn_;
    const int closeAtFrame_;
    const bool greets_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> closed_ = false;
    mutable std::mutex mutex_;
    std::string commands_;
    std::thread thread_;
};

// COM1 is a symbolic link, as a udev name for an adapter is: re-pointing it
// plays the adapter plugged in again as a new device.
class PortFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/rovidada-unplug-XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        folder_ = folder;
        devicePath_ = folder_ + "/ttyUSB0";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void plugIn(const PtyInterface& adapter)
    {
        std::filesystem::remove(devicePath_);
        std::filesystem::create_symlink(adapter.slavePath(), devicePath_);
    }

    // The status field of results, and the boxes, of a finished command.
    void expectLostConnection(FakeSession& s, const std::vector<std::string>& boxes)
    {
        EXPECT_EQ(s.window.boxTexts(), boxes);
        EXPECT_EQ(s.link.connectionState(), -1);
        EXPECT_EQ(s.window.statusFields[STATUS_CONNECTION], toStdString(texts::STATE_NOT_CONNECTED));
        EXPECT_TRUE(s.link.portFailed()) << "the dead device's descriptor must not be kept";
    }

    std::string folder_;
    std::string devicePath_;
    RealClock clock;
    SystemPortOpener opener{{}, [this](const std::string& name) -> std::optional<std::string> {
                                if (name == "ROVIDADA_COM1")
                                    return devicePath_;
                                return std::nullopt;
                            },
                            [] { return std::vector<std::string>{}; }};
};

TEST_F(PortFailure, AdapterGoneMidWriteOfErasedWordsIsALostConnectionNotASuccess)
{
    // Words of FF are erased but never verified: nothing but the write itself
    // can tell that the adapter is gone. It goes during the second word's erase.
    PtyInterface adapter(CMD_WRITE_WORD, 2);
    plugIn(adapter);
    FakeSession s(clock, opener, "HC12B");
    ASSERT_TRUE(s.link.openPort("COM1").usable);
    s.link.setConnectionState(1);
    s.buffer.fill(16, [](std::uint32_t) { return 0xFF; });
    const auto start = std::chrono::steady_clock::now();
    writeEeprom(s.session);

    EXPECT_TRUE(adapter.closed());
    expectLostConnection(s, {IO_BOX, LOST_BOX});
    EXPECT_EQ(s.window.statusFields[STATUS_RESULT], "Zapisano  2  bajty.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the write stops at once, no time-outs";
}

TEST_F(PortFailure, AdapterGoneMidReadShowsTheIoErrorOnceThenTheLostConnection)
{
    PtyInterface adapter(CMD_READ_WORD, 3); // the second word's first request
    plugIn(adapter);
    FakeSession s(clock, opener, "HC12B");
    ASSERT_TRUE(s.link.openPort("COM1").usable);
    s.link.setConnectionState(1);
    s.buffer.count = 16;
    readEeprom(s.session);

    expectLostConnection(s, {IO_BOX, LOST_BOX});
    EXPECT_EQ(s.window.statusFields[STATUS_RESULT], "Przeczytano  2  bajty.");
    EXPECT_EQ(s.buffer.cells[0], 0x12);
    EXPECT_EQ(s.buffer.cells[1], 0x34);
}

TEST_F(PortFailure, ReadAfterTheAdapterWentShowsTheIoErrorOnce)
{
    // Gone before the read: the wake-up request fails, and the first word's
    // request must not bring a second box.
    PtyInterface adapter(CMD_SET_DIVIDER, 1);
    plugIn(adapter);
    FakeSession s(clock, opener, "HC12B");
    ASSERT_TRUE(s.link.openPort("COM1").usable);
    s.link.setConnectionState(1);
    s.buffer.count = 16;
    readEeprom(s.session);

    expectLostConnection(s, {IO_BOX, LOST_BOX});
    EXPECT_EQ(s.window.statusFields[STATUS_RESULT], "Przeczytano  0  bajtów.");
}

TEST_F(PortFailure, NextConnectOpensTheDeviceAnewOnceItIsBack)
{
    FakeSession s(clock, opener, "HC12B");
    s.window.crystal = "16MHz";
    {
        PtyInterface first(CMD_READ_WORD, 1);
        plugIn(first);
        ASSERT_TRUE(s.link.openPort("COM1").usable);
        s.link.setConnectionState(1);
        s.buffer.count = 4;
        readEeprom(s.session);
        ASSERT_TRUE(s.link.portFailed());
    }

    // Not back yet: the port's box, and the port is tried again next time.
    std::filesystem::remove(devicePath_);
    s.window.forgetRecords();
    connectTarget(s.session);
    ASSERT_EQ(s.window.boxes.size(), 1u);
    EXPECT_EQ(s.window.boxes[0].text.substr(0, toStdString(texts::PORT_OPEN_FAILED).size()),
              toStdString(texts::PORT_OPEN_FAILED));
    EXPECT_NE(s.window.boxes[0].text.find(devicePath_), std::string::npos);
    EXPECT_EQ(s.link.connectionState(), -1);

    PtyInterface second(0, 0, true);
    plugIn(second);
    s.window.forgetRecords();
    connectTarget(s.session);
    EXPECT_TRUE(s.window.boxes.empty()) << s.window.boxTexts().front();
    EXPECT_EQ(s.link.connectionState(), 1);
    EXPECT_EQ(s.window.statusFields[STATUS_CONNECTION], toStdString(texts::STATE_CONNECTED));
    EXPECT_TRUE(s.window.commandsEnabled);
    EXPECT_FALSE(s.link.portFailed());
    EXPECT_EQ(second.commandsSeen().substr(0, 3), "RUC"); // start, divider, probe: through the new device
}

} // namespace
