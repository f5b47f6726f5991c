// A serial port of Windows (\\.\COMn): exclusive open, 38400 8N1 without flow
// control through a DCB, modem lines by EscapeCommFunction, line errors from
// ClearCommError, and waits that block in ReadFile until a byte or the time-out
// comes (no busy loop).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "serial/CommDevice.h"
#include "serial/PortOpener.h"
#include "serial/SerialPort.h"

class WindowsSerialPort : public SerialPort {
public:
    // Opens `device` ("\\.\COM12"; a bare "COM12" gets the prefix). A failed
    // open carries the reason in Polish for the common errors, otherwise in
    // the system's words.
    static PortOpenResult open(const std::string& device);

    explicit WindowsSerialPort(std::unique_ptr<CommDevice> device);

    void applyLineSettings() override;
    void setRts(bool asserted) override;
    bool write(const std::uint8_t* data, std::size_t length) override;
    void drain() override;
    Status queryStatus() override;
    std::size_t read(std::uint8_t* buffer, std::size_t maxLength) override;
    void purge() override;
    bool waitReadable(int timeoutMs) override;

    // The Windows error of the last RTS or DTR change that did not take (0 when
    // it took). The procedures go on regardless, as on Linux; Wine on a
    // pseudo-terminal answers ERROR_NOT_SUPPORTED here.
    DWORD modemLineError() const { return modemLineError_; }

private:
    // Read time-outs: return at once with what is queued, or wait up to
    // `waitMs` for the first byte. Set only when they change.
    void readTimeouts(DWORD waitMs);
    // Takes the device's error word and queue count; errors gather in pendingErrors_.
    std::size_t takeErrorsAndCount();
    void changeModemLine(DWORD function);

    std::unique_ptr<CommDevice> device_;
    bool rtsAsserted_ = false;
    DWORD modemLineError_ = 0;
    DWORD currentWaitMs_ = MAXDWORD; // none set yet
    std::uint32_t pendingErrors_ = 0;
    // A byte that a wait read to learn that input had come, handed out first.
    bool heldByteValid_ = false;
    std::uint8_t heldByte_ = 0;
};

// Why a Windows port could not be opened, for the port box: the reasons the
// Linux side names in Polish, any other in the system's words.
std::string windowsPortOpenReason(DWORD error);
