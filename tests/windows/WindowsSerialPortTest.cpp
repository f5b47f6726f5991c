// The Windows serial port's logic, on a fake standing in below the Windows
// calls: what the DCB says, what RTS and DTR do, how waits and reads use the
// read time-outs, and how the error word and failures reach the receiver.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "serial/WindowsSerialPort.h"

namespace {

struct FakeLog {
    DCB state{};
    std::vector<DWORD> escapes;
    std::vector<COMMTIMEOUTS> timeouts;
    std::vector<DWORD> purges;
    std::vector<std::uint8_t> written;
    std::deque<std::uint8_t> input;
    DWORD errorWord = 0;
    DWORD escapeFailure = 0;
    DWORD readFailure = 0;
    DWORD clearFailure = 0;
    int flushes = 0;
    int setStates = 0;
    DWORD queues = 0;
};

class FakeCommDevice : public CommDevice {
public:
    explicit FakeCommDevice(FakeLog& log) : log_(log) {}
    DWORD setupQueues(DWORD in, DWORD) override { log_.queues = in; return 0; }
    DWORD getState(DCB& state) override { state = log_.state; return 0; }
    DWORD setState(const DCB& state) override { log_.state = state; ++log_.setStates; return 0; }
    DWORD setTimeouts(const COMMTIMEOUTS& t) override { log_.timeouts.push_back(t); return 0; }
    DWORD escape(DWORD function) override
    {
        log_.escapes.push_back(function);
        return log_.escapeFailure;
    }
    DWORD write(const void* data, DWORD length, DWORD& written) override
    {
        auto bytes = static_cast<const std::uint8_t*>(data);
        log_.written.insert(log_.written.end(), bytes, bytes + length);
        written = length;
        return 0;
    }
    DWORD read(void* data, DWORD length, DWORD& got) override
    {
        got = 0;
        if (log_.readFailure)
            return log_.readFailure;
        auto bytes = static_cast<std::uint8_t*>(data);
        while (got < length && !log_.input.empty()) {
            bytes[got++] = log_.input.front();
            log_.input.pop_front();
        }
        return 0;
    }
    DWORD clearErrors(DWORD& errors, COMSTAT& status) override
    {
        errors = log_.errorWord;
        log_.errorWord = 0;
        status = COMSTAT{};
        status.cbInQue = DWORD(log_.input.size());
        return log_.clearFailure;
    }
    DWORD purge(DWORD flags) override
    {
        log_.purges.push_back(flags);
        log_.input.clear();
        return 0;
    }
    DWORD flush() override
    {
        ++log_.flushes;
        return 0;
    }

private:
    FakeLog& log_;
};

class WindowsSerialPortTest : public ::testing::Test {
protected:
    FakeLog log;
    WindowsSerialPort port{std::make_unique<FakeCommDevice>(log)};
};

TEST_F(WindowsSerialPortTest, LineSettingsAre38400EightNoneOneWithoutHandshakeAndDtrOff)
{
    // Start from a port someone left with hardware handshake, parity and XON/XOFF.
    log.state.DCBlength = sizeof(DCB);
    log.state.BaudRate = CBR_9600;
    log.state.ByteSize = 7;
    log.state.Parity = EVENPARITY;
    log.state.StopBits = TWOSTOPBITS;
    log.state.fOutxCtsFlow = TRUE;
    log.state.fOutxDsrFlow = TRUE;
    log.state.fOutX = TRUE;
    log.state.fInX = TRUE;
    log.state.fAbortOnError = TRUE;
    log.state.fDtrControl = DTR_CONTROL_HANDSHAKE;
    log.state.fRtsControl = RTS_CONTROL_HANDSHAKE;
    port.applyLineSettings();

    EXPECT_EQ(log.queues, 1024u);
    EXPECT_EQ(log.state.BaudRate, DWORD(CBR_38400));
    EXPECT_EQ(log.state.ByteSize, 8);
    EXPECT_EQ(log.state.Parity, NOPARITY);
    EXPECT_EQ(log.state.StopBits, ONESTOPBIT);
    EXPECT_TRUE(log.state.fBinary);
    EXPECT_FALSE(log.state.fOutxCtsFlow || log.state.fOutxDsrFlow || log.state.fOutX || log.state.fInX);
    EXPECT_FALSE(log.state.fAbortOnError);
    EXPECT_EQ(log.state.fDtrControl, DWORD(DTR_CONTROL_DISABLE));
    EXPECT_EQ(log.state.fRtsControl, DWORD(RTS_CONTROL_DISABLE));
    ASSERT_FALSE(log.escapes.empty());
    EXPECT_EQ(log.escapes.back(), DWORD(CLRDTR));
}

TEST_F(WindowsSerialPortTest, RtsPulseReachesTheLineAndNewSettingsKeepRtsAsItWas)
{
    port.setRts(true);
    port.applyLineSettings(); // RTS left as it was
    EXPECT_EQ(log.state.fRtsControl, DWORD(RTS_CONTROL_ENABLE));
    port.setRts(false);
    EXPECT_EQ(log.escapes, (std::vector<DWORD>{SETRTS, CLRDTR, CLRRTS}));
    EXPECT_EQ(port.modemLineError(), 0u);
}

TEST_F(WindowsSerialPortTest, RtsRefusedByTheLineIsKeptAsTheModemLineError)
{
    log.escapeFailure = ERROR_NOT_SUPPORTED; // Wine on a pseudo-terminal
    port.setRts(true);
    EXPECT_EQ(port.modemLineError(), DWORD(ERROR_NOT_SUPPORTED));
    log.escapeFailure = 0;
    port.setRts(false);
    EXPECT_EQ(port.modemLineError(), 0u);
}

TEST_F(WindowsSerialPortTest, WaitBlocksInReadFileAndTheByteItTookIsReadFirst)
{
    port.applyLineSettings();
    log.timeouts.clear();
    EXPECT_FALSE(port.waitReadable(300)); // nothing comes
    ASSERT_EQ(log.timeouts.size(), 1u);
    EXPECT_EQ(log.timeouts[0].ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(log.timeouts[0].ReadTotalTimeoutMultiplier, MAXDWORD);
    EXPECT_EQ(log.timeouts[0].ReadTotalTimeoutConstant, 300u);

    log.input = {0x12, 0x34, 0x56};
    // Queued input: ready without reading.
    EXPECT_TRUE(port.waitReadable(300));
    EXPECT_EQ(log.input.size(), 3u);
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(port.read(bytes, 1), 1u);
    EXPECT_EQ(bytes[0], 0x12);
    // Immediate time-outs for the read, so that it never waits.
    EXPECT_EQ(log.timeouts.back().ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(log.timeouts.back().ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(port.read(bytes, 8), 2u);
    EXPECT_EQ(bytes[0], 0x34);
    EXPECT_EQ(bytes[1], 0x56);
}

TEST_F(WindowsSerialPortTest, AByteTakenByTheWaitIsCountedReadInOrderAndDroppedByPurge)
{
    // A fake whose queue count lags, as a driver's can: the wait's ReadFile takes the byte.
    struct LaggingDevice : FakeCommDevice {
        using FakeCommDevice::FakeCommDevice;
        DWORD clearErrors(DWORD& errors, COMSTAT& status) override
        {
            errors = 0;
            status = COMSTAT{};
            return 0;
        }
    };
    FakeLog lagging;
    WindowsSerialPort slow{std::make_unique<LaggingDevice>(lagging)};
    lagging.input = {0xA5, 0x5A};
    EXPECT_TRUE(slow.waitReadable(300));
    EXPECT_EQ(lagging.input.size(), 1u);
    EXPECT_EQ(slow.queryStatus().queued, 1u);
    std::uint8_t bytes[4] = {};
    EXPECT_EQ(slow.read(bytes, 4), 2u);
    EXPECT_EQ(bytes[0], 0xA5);
    EXPECT_EQ(bytes[1], 0x5A);

    lagging.input = {0x01};
    EXPECT_TRUE(slow.waitReadable(300));
    slow.purge();
    EXPECT_EQ(lagging.purges, (std::vector<DWORD>{PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR}));
    EXPECT_EQ(slow.queryStatus().queued, 0u);
    EXPECT_EQ(slow.read(bytes, 4), 0u);
}

TEST_F(WindowsSerialPortTest, ErrorWordPassesThroughOnceAndAFailedDeviceIsAnIoError)
{
    log.errorWord = CE_FRAME | CE_RXPARITY | CE_OVERRUN | CE_BREAK | CE_RXOVER;
    log.input = {0x00};
    const auto status = port.queryStatus();
    EXPECT_EQ(status.errors, LineError::FRAME | LineError::RXPARITY | LineError::OVERRUN | LineError::BREAK |
                                 LineError::RXOVER);
    EXPECT_EQ(status.queued, 1u);
    EXPECT_EQ(port.queryStatus().errors, 0u);

    // An error seen during a wait is kept for the next query, not lost.
    log.input.clear();
    log.errorWord = CE_FRAME;
    EXPECT_TRUE(port.waitReadable(300));
    EXPECT_EQ(port.queryStatus().errors, LineError::FRAME);

    // An adapter pulled out: the calls fail.
    log.clearFailure = ERROR_ACCESS_DENIED;
    EXPECT_EQ(port.queryStatus().errors, LineError::IOE);
    log.clearFailure = 0;
    log.readFailure = ERROR_OPERATION_ABORTED;
    EXPECT_TRUE(port.waitReadable(300));
    EXPECT_EQ(port.queryStatus().errors, LineError::IOE);
}

TEST_F(WindowsSerialPortTest, WriteSendsEverythingAndDrainFlushes)
{
    const std::uint8_t frame[] = {'R', 0x10, 0x00};
    EXPECT_TRUE(port.write(frame, sizeof frame));
    port.drain();
    EXPECT_EQ(log.written, (std::vector<std::uint8_t>{'R', 0x10, 0x00}));
    EXPECT_EQ(log.flushes, 1);
}

TEST(WindowsPortOpenReason, CommonErrorsInPolishOthersInTheSystemsWords)
{
    EXPECT_EQ(windowsPortOpenReason(ERROR_FILE_NOT_FOUND), "nie ma takiego urządzenia");
    EXPECT_EQ(windowsPortOpenReason(ERROR_ACCESS_DENIED), "port jest używany przez inny program");
    EXPECT_EQ(windowsPortOpenReason(ERROR_INVALID_FUNCTION), "to nie jest port szeregowy");
    EXPECT_EQ(windowsPortOpenReason(ERROR_GEN_FAILURE), "błąd wejścia/wyjścia");
    EXPECT_NE(windowsPortOpenReason(ERROR_NOT_ENOUGH_MEMORY).find("(Windows error 8)"), std::string::npos);
}

TEST(WindowsPortOpen, AMissingPortFailsWithTheDeviceAndReason)
{
    const PortOpenResult result = WindowsSerialPort::open("COM199");
    EXPECT_FALSE(result.port);
    EXPECT_EQ(result.device, "\\\\.\\COM199");
    EXPECT_EQ(result.reason, "nie ma takiego urządzenia");
}

} // namespace
