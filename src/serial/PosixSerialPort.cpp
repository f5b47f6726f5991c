// The POSIX serial port. Line errors are the growth of the driver's counters
// since the last query; EIO (an adapter pulled out, a hung-up line) is the I/O
// error flag. Modem-line calls fail on pseudo-terminals, silently.
#include "serial/PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "serial/PortNames.h"

namespace {

// How long a write may find the output queue full, or a drain find bytes still
// waiting, before the output counts as stuck. At 38400 baud a frame leaves in
// about a millisecond and the driver's whole queue in well under a second.
constexpr int WRITE_STALL_TIMEOUT_MS = 1000;
// One byte's time on the line at 38400 baud (ten bits).
constexpr std::chrono::microseconds BYTE_TIME{261};

PortOpenResult failedOpen(const std::string& path, int error)
{
    PortOpenResult result;
    result.device = path;
    result.reason = portOpenReason(error);
    result.permissionDenied = error == EACCES || error == EPERM;
    return result;
}

void setModemLine(int fd, int line, bool asserted)
{
    // A line without modem control (a pseudo-terminal) refuses; that is not reported.
    (void)::ioctl(fd, asserted ? TIOCMBIS : TIOCMBIC, &line);
}

// Which counter of the driver stands for which error flag.
struct CounterFlag {
    int serial_icounter_struct::*counter;
    std::uint32_t flag;
};
constexpr CounterFlag COUNTER_FLAGS[] = {
    {&serial_icounter_struct::frame, LineError::FRAME},
    {&serial_icounter_struct::parity, LineError::RXPARITY},
    {&serial_icounter_struct::overrun, LineError::OVERRUN},
    {&serial_icounter_struct::buf_overrun, LineError::RXOVER},
    {&serial_icounter_struct::brk, LineError::BREAK},
};

} // namespace

PortOpenResult PosixSerialPort::open(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failedOpen(path, errno);
    int error = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        error = errno == EWOULDBLOCK ? EBUSY : errno; // "busy" tells the user more than "try again"
    else if (::ioctl(fd, TIOCEXCL) != 0)
        error = errno; // ENOTTY: the path is no terminal at all
    if (error != 0) {
        ::close(fd);
        return failedOpen(path, error);
    }
    PortOpenResult result;
    result.device = path;
    result.port.reset(new PosixSerialPort(fd));
    return result;
}

PosixSerialPort::PosixSerialPort(int fd) : fd_(fd), lastCounters_(readCounters()) {}

PosixSerialPort::~PosixSerialPort()
{
    // A pseudo-terminal's slave outlives our descriptor: leave it openable.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

void PosixSerialPort::applyLineSettings()
{
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0)
        return;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | HUPCL | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    // Binary protocol: no XON/XOFF in either direction. No hardware handshake
    // either, or a drain would wait forever for a CTS the interface never gives.
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, B38400);
    ::cfsetospeed(&settings, B38400);
    (void)::tcsetattr(fd_, TCSANOW, &settings);
    setModemLine(fd_, TIOCM_DTR, false);
}

void PosixSerialPort::setRts(bool asserted) { setModemLine(fd_, TIOCM_RTS, asserted); }

bool PosixSerialPort::write(const std::uint8_t* data, std::size_t length)
{
    if (failure_ != 0)
        return false;
    std::size_t written = 0;
    while (written < length) {
        const ssize_t n = ::write(fd_, data + written, length - written);
        if (n > 0) {
            written += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd waiting{fd_, POLLOUT, 0};
            if (::poll(&waiting, 1, WRITE_STALL_TIMEOUT_MS) > 0 && (waiting.revents & POLLOUT))
                continue;
            failure_ = (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) ? LineError::IOE : LineError::TXFULL;
            return false;
        }
        // EIO, ENXIO, ENODEV...: the adapter is gone or the line hung up.
        if (n < 0 && errno == EIO)
            ioErrorSeen_ = true;
        failure_ = LineError::IOE;
        return false;
    }
    return true;
}

void PosixSerialPort::drain()
{
    if (failure_ != 0)
        return;
    // tcdrain has no time limit: an adapter whose output stopped would hold the
    // window forever. Wait for the driver's queue with a deadline first; tcdrain
    // then only waits for the last byte to leave the UART.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WRITE_STALL_TIMEOUT_MS);
    for (int queued = 0; ::ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0;) {
        if (std::chrono::steady_clock::now() >= deadline) {
            failure_ = LineError::TXFULL;
            return;
        }
        std::this_thread::sleep_for(BYTE_TIME * queued);
    }
    while (::tcdrain(fd_) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EIO || errno == ENXIO || errno == ENODEV)
            failure_ = LineError::IOE;
        return;
    }
    // A line hung up after the bytes were taken (an adapter pulled out).
    pollfd line{fd_, 0, 0};
    if (::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)))
        failure_ = LineError::IOE;
}

std::optional<serial_icounter_struct> PosixSerialPort::readCounters()
{
    serial_icounter_struct counters{};
    if (::ioctl(fd_, TIOCGICOUNT, &counters) == 0)
        return counters;
    if (errno == EIO)
        ioErrorSeen_ = true;
    return std::nullopt;
}

SerialPort::Status PosixSerialPort::queryStatus()
{
    Status status;
    if (const auto now = readCounters()) {
        if (lastCounters_)
            for (const auto& [counter, flag] : COUNTER_FLAGS)
                if ((*now).*counter != (*lastCounters_).*counter)
                    status.errors |= flag;
        lastCounters_ = now;
    }
    int queued = 0;
    if (::ioctl(fd_, FIONREAD, &queued) == 0)
        status.queued = queued > 0 ? std::size_t(queued) : 0;
    else if (errno == EIO)
        ioErrorSeen_ = true;
    if (ioErrorSeen_) {
        status.errors |= LineError::IOE;
        ioErrorSeen_ = false;
    }
    return status;
}

std::size_t PosixSerialPort::read(std::uint8_t* buffer, std::size_t maxLength)
{
    const ssize_t n = ::read(fd_, buffer, maxLength);
    if (n > 0)
        return std::size_t(n);
    if (n < 0 && errno == EIO)
        ioErrorSeen_ = true;
    return 0;
}

void PosixSerialPort::purge() { (void)::tcflush(fd_, TCIOFLUSH); }

bool PosixSerialPort::waitReadable(int timeoutMs)
{
    pollfd waiting{fd_, POLLIN, 0};
    if (::poll(&waiting, 1, timeoutMs) <= 0)
        return false;
    // A hung-up line (adapter pulled out) must show as an error, not as input
    // that never comes.
    if (waiting.revents & (POLLERR | POLLHUP | POLLNVAL))
        ioErrorSeen_ = true;
    return true;
}
