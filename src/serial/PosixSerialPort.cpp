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

#include "serial/PortNames.h"

namespace {

// How long a write may find the output queue full before it counts as failed.
constexpr int WRITE_STALL_TIMEOUT_MS = 1000;

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
            return false;
        }
        if (n < 0 && errno == EIO)
            ioErrorSeen_ = true;
        return false;
    }
    return true;
}

void PosixSerialPort::drain()
{
    while (::tcdrain(fd_) != 0 && errno == EINTR) {
    }
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
