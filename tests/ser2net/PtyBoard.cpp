// Serving the simulated board on the master side of a pseudo-terminal.
#include "PtyBoard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "serial/RealClock.h"

namespace {

// A timed poll here ends some 30-100 microseconds late (the median about 45),
// while the bytes of an answer are 260 microseconds apart on the wire.
constexpr std::uint64_t WAKE_EARLY_US = 80;

void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

std::string uniqueSocketPath()
{
    static std::atomic<int> made = 0;
    return "/tmp/rovidada-rts-" + std::to_string(::getpid()) + "-" + std::to_string(made++) + ".sock";
}

} // namespace

PtyBoard::PtyBoard(std::shared_ptr<SimulatedBoard> board) : board_(std::move(board))
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    check(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0, "pseudo-terminal");
    ttyPath_ = ::ptsname(master_);
    // Raw from the start: a terminal in its cooked default would echo the
    // board's answers back to it before ser2net has set the line up.
    slaveKeptOpen_ = ::open(ttyPath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    check(slaveKeptOpen_ >= 0, "slave side");
    termios raw{};
    check(::tcgetattr(slaveKeptOpen_, &raw) == 0, "tcgetattr");
    ::cfmakeraw(&raw);
    check(::tcsetattr(slaveKeptOpen_, TCSANOW, &raw) == 0, "tcsetattr");

    rtsSocketPath_ = uniqueSocketPath();
    rtsSocket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, rtsSocketPath_.c_str(), sizeof address.sun_path - 1);
    ::unlink(rtsSocketPath_.c_str());
    check(rtsSocket_ >= 0 && ::bind(rtsSocket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0,
          "RTS socket");
    check(::pipe2(stopPipe_, O_CLOEXEC) == 0, "pipe");
    thread_ = std::thread([this] { serve(); });
}

PtyBoard::~PtyBoard()
{
    (void)::write(stopPipe_[1], "x", 1);
    thread_.join();
    for (const int fd : {master_, slaveKeptOpen_, rtsSocket_, stopPipe_[0], stopPipe_[1]})
        ::close(fd);
    ::unlink(rtsSocketPath_.c_str());
}

void PtyBoard::withBoard(const std::function<void(SimulatedBoard&)>& f)
{
    const std::lock_guard lock(mutex_);
    f(*board_);
}

void PtyBoard::serve()
{
    RealClock clock; // made on this thread: its sleeps end on time
    std::unique_ptr<SerialPort> port;
    {
        const std::lock_guard lock(mutex_);
        port = board_->openPort(clock);
    }
    for (;;) {
        // Sleep until the board's next byte for the PC is due, or something comes.
        std::optional<std::uint64_t> nextUs;
        {
            const std::lock_guard lock(mutex_);
            nextUs = port->nextInputUs();
        }
        timespec timeout{};
        timespec* wait = nullptr;
        // The poll wakes up tens of microseconds after its time: it is aimed
        // that much early and the rest is waited awake, so that the board
        // answers on time as the hardware does.
        if (nextUs) {
            const std::uint64_t now = clock.nowUs();
            const std::uint64_t us = *nextUs > now + WAKE_EARLY_US ? *nextUs - now - WAKE_EARLY_US : 0;
            timeout = {time_t(us / 1'000'000), long(us % 1'000'000) * 1000};
            wait = &timeout;
        }
        pollfd ready[] = {{master_, POLLIN, 0}, {rtsSocket_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::ppoll(ready, 3, wait, nullptr) < 0 && errno != EINTR)
            return;
        if (ready[2].revents)
            return;
        const bool nothingCame = !(ready[0].revents & POLLIN) && !(ready[1].revents & POLLIN);
        if (nextUs && nothingCame && *nextUs <= clock.nowUs() + WAKE_EARLY_US)
            while (clock.nowUs() < *nextUs) {
            }
        if (ready[0].revents & POLLIN) {
            std::uint8_t chunk[512];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0) {
                const std::lock_guard lock(mutex_);
                port->write(chunk, std::size_t(n));
            }
        }
        if (ready[1].revents & POLLIN) {
            char rts = 0;
            if (::recv(rtsSocket_, &rts, 1, 0) == 1) {
                const std::lock_guard lock(mutex_);
                port->setRts(rts == '1');
            }
        }
        std::uint8_t answer[1024];
        std::size_t count = 0;
        {
            const std::lock_guard lock(mutex_);
            const std::size_t queued = port->queryStatus().queued; // its line errors cannot travel on
            count = port->read(answer, std::min(queued, sizeof answer));
        }
        // With nobody on the other side the terminal fills up; what does not
        // fit is lost, as on a line nobody reads.
        if (count > 0)
            (void)::write(master_, answer, count);
    }
}
