// The Windows serial port. Its error word is the one the program's line
// errors were modelled on, so ClearCommError's bits pass through unchanged.
#include "serial/WindowsSerialPort.h"

#include <cerrno>
#include <cstring>

#include "serial/PortNames.h"
#include "texts/WindowsSystemText.h"

namespace {

// The device's own queues, as the program has always asked for.
constexpr DWORD QUEUE_BYTES = 1024;
// How long a write may stall (output held back) before it counts as failed,
// and how much longer per byte: a byte takes 0.26 ms at 38400 baud.
constexpr DWORD WRITE_STALL_TIMEOUT_MS = 1000;
constexpr DWORD WRITE_MS_PER_BYTE = 1;
constexpr DWORD IMMEDIATE = 0;

static_assert(LineError::RXOVER == CE_RXOVER && LineError::OVERRUN == CE_OVERRUN &&
              LineError::RXPARITY == CE_RXPARITY && LineError::FRAME == CE_FRAME &&
              LineError::BREAK == CE_BREAK && LineError::TXFULL == CE_TXFULL && LineError::IOE == CE_IOE);
constexpr DWORD KNOWN_ERRORS = CE_RXOVER | CE_OVERRUN | CE_RXPARITY | CE_FRAME | CE_BREAK | CE_TXFULL | CE_IOE;

// The Windows errors that mean what a Linux errno of the port box means.
int linuxMeaning(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
        return ENOENT;
    // Windows answers "access denied" for a port another program holds.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return EBUSY;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_HANDLE:
        return ENOTTY;
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return EIO;
    default:
        return 0;
    }
}

} // namespace

std::string windowsPortOpenReason(DWORD error)
{
    if (const int meaning = linuxMeaning(error))
        return portOpenReason(meaning);
    return windowsErrorText(error);
}

PortOpenResult WindowsSerialPort::open(const std::string& device)
{
    PortOpenResult result;
    result.device = device.starts_with("\\\\.\\") ? device : "\\\\.\\" + device;
    DWORD error = 0;
    auto comm = openCommDevice(widened(result.device), error);
    if (!comm) {
        result.reason = windowsPortOpenReason(error);
        return result;
    }
    result.port = std::make_unique<WindowsSerialPort>(std::move(comm));
    return result;
}

WindowsSerialPort::WindowsSerialPort(std::unique_ptr<CommDevice> device) : device_(std::move(device)) {}

void WindowsSerialPort::applyLineSettings()
{
    (void)device_->setupQueues(QUEUE_BYTES, QUEUE_BYTES);
    DCB state{};
    if (device_->getState(state) != 0)
        return;
    state.BaudRate = CBR_38400;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
    state.fBinary = TRUE;
    state.fParity = FALSE;
    // Binary protocol: no handshake of any kind, or a write would wait for a
    // CTS or an XON the interface never gives.
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDsrSensitivity = FALSE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fErrorChar = FALSE;
    state.fNull = FALSE;
    state.fDtrControl = DTR_CONTROL_DISABLE;
    state.fRtsControl = rtsAsserted_ ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    // A line error must not stop reading and writing until it is cleared: the
    // receiver asks for the errors itself.
    state.fAbortOnError = FALSE;
    (void)device_->setState(state);
    changeModemLine(CLRDTR);
    readTimeouts(IMMEDIATE);
}

void WindowsSerialPort::changeModemLine(DWORD function) { modemLineError_ = device_->escape(function); }

void WindowsSerialPort::setRts(bool asserted)
{
    rtsAsserted_ = asserted;
    changeModemLine(asserted ? SETRTS : CLRRTS);
}

void WindowsSerialPort::readTimeouts(DWORD waitMs)
{
    if (waitMs == currentWaitMs_)
        return;
    COMMTIMEOUTS timeouts{};
    // MAXDWORD, 0, 0: ReadFile returns at once with what is queued.
    // MAXDWORD, MAXDWORD, n: it returns as soon as a byte is there, or after n ms.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs == IMMEDIATE ? 0 : MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutMultiplier = WRITE_MS_PER_BYTE;
    timeouts.WriteTotalTimeoutConstant = WRITE_STALL_TIMEOUT_MS;
    if (device_->setTimeouts(timeouts) == 0)
        currentWaitMs_ = waitMs;
}

bool WindowsSerialPort::write(const std::uint8_t* data, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        DWORD written = 0;
        const DWORD error = device_->write(data + done, DWORD(length - done), written);
        if (error != 0 || written == 0) {
            if (error != 0 && error != ERROR_TIMEOUT)
                pendingErrors_ |= LineError::IOE;
            return false;
        }
        done += written;
    }
    return true;
}

void WindowsSerialPort::drain() { (void)device_->flush(); }

std::size_t WindowsSerialPort::takeErrorsAndCount()
{
    DWORD errors = 0;
    COMSTAT status{};
    if (device_->clearErrors(errors, status) != 0) {
        // The device is gone (an adapter pulled out).
        pendingErrors_ |= LineError::IOE;
        return 0;
    }
    pendingErrors_ |= errors & KNOWN_ERRORS;
    return status.cbInQue;
}

SerialPort::Status WindowsSerialPort::queryStatus()
{
    Status status;
    status.queued = takeErrorsAndCount() + (heldByteValid_ ? 1 : 0);
    status.errors = pendingErrors_;
    pendingErrors_ = 0;
    return status;
}

std::size_t WindowsSerialPort::read(std::uint8_t* buffer, std::size_t maxLength)
{
    if (maxLength == 0)
        return 0;
    std::size_t count = 0;
    if (heldByteValid_) {
        buffer[count++] = heldByte_;
        heldByteValid_ = false;
    }
    if (count == maxLength)
        return count;
    readTimeouts(IMMEDIATE);
    DWORD got = 0;
    if (device_->read(buffer + count, DWORD(maxLength - count), got) != 0)
        pendingErrors_ |= LineError::IOE;
    return count + got;
}

void WindowsSerialPort::purge()
{
    heldByteValid_ = false;
    (void)device_->purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

bool WindowsSerialPort::waitReadable(int timeoutMs)
{
    if (heldByteValid_ || takeErrorsAndCount() > 0 || pendingErrors_ != 0)
        return true;
    if (timeoutMs <= 0)
        return false;
    // Blocks in the driver until the first byte comes or the time is up.
    readTimeouts(DWORD(timeoutMs));
    DWORD got = 0;
    if (device_->read(&heldByte_, 1, got) != 0) {
        pendingErrors_ |= LineError::IOE;
        return true;
    }
    heldByteValid_ = got == 1;
    // An error that came during the wait (framing, overrun) is input too.
    return heldByteValid_ || takeErrorsAndCount() > 0 || pendingErrors_ != 0;
}
