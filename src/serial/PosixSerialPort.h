// A real serial device (USB adapter, on-board UART, pseudo-terminal) through
// the POSIX terminal interface: exclusive open, raw 38400 8N1, modem lines by
// ioctl, line errors from the driver's interrupt counters.
#pragma once

#include <linux/serial.h>

#include <optional>
#include <string>

#include "serial/PortOpener.h"
#include "serial/SerialPort.h"

class PosixSerialPort : public SerialPort {
public:
    // Opens the device exclusively: O_NOCTTY and non-blocking, an flock that a
    // second open (by us or a cooperating program) cannot take, and TIOCEXCL.
    // Any failure is a failed open with the system's reason.
    static PortOpenResult open(const std::string& path);

    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    void applyLineSettings() override;
    void setRts(bool asserted) override;
    bool write(const std::uint8_t* data, std::size_t length) override;
    void drain() override;
    std::uint32_t deviceFailure() const override { return failure_; }
    Status queryStatus() override;
    std::size_t read(std::uint8_t* buffer, std::size_t maxLength) override;
    void purge() override;
    bool waitReadable(int timeoutMs) override;

private:
    explicit PosixSerialPort(int fd);
    std::optional<serial_icounter_struct> readCounters();

    int fd_;
    std::optional<serial_icounter_struct> lastCounters_; // none on lines without counters
    bool ioErrorSeen_ = false;                           // EIO met outside queryStatus
    std::uint32_t failure_ = 0;                          // see deviceFailure; never cleared
};
