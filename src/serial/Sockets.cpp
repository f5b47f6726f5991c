// Sockets on Linux.
#include "serial/Sockets.h"

#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

int startSockets() { return 0; }

Socket openStreamSocket(int family, bool nonBlocking)
{
    return ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
}

void closeSocket(Socket socket) { ::close(socket); }

int lastSocketError() { return errno; }

SocketErrorKind socketErrorKind(int error)
{
    switch (error) {
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
        return SocketErrorKind::WouldBlock;
    case EINTR: return SocketErrorKind::Interrupted;
    case ECONNREFUSED: return SocketErrorKind::Refused;
    case ENETUNREACH:
    case EHOSTUNREACH: return SocketErrorKind::Unreachable;
    case ETIMEDOUT: return SocketErrorKind::TimedOut;
    default: return SocketErrorKind::Other;
    }
}

std::string socketErrorWords(int error) { return std::strerror(error); }

int connectWithin(Socket socket, const sockaddr* address, socklen_t length, int timeoutMs)
{
    if (::connect(socket, address, length) == 0)
        return 0;
    if (errno != EINPROGRESS)
        return errno;
    if (!waitSocket(socket, SocketWait::Writable, timeoutMs))
        return ETIMEDOUT;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return errno;
    return error;
}

bool waitSocket(Socket socket, SocketWait what, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd entry{socket, short(what == SocketWait::Readable ? POLLIN : POLLOUT), 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = ::poll(&entry, 1, left.count() > 0 ? int(left.count()) : 0);
        if (ready >= 0 || errno != EINTR)
            return ready > 0;
    }
}

long sendSome(Socket socket, const std::uint8_t* data, std::size_t length)
{
    return long(::send(socket, data, length, MSG_NOSIGNAL));
}

long receiveSome(Socket socket, std::uint8_t* buffer, std::size_t capacity)
{
    return long(::recv(socket, buffer, capacity, 0));
}

void sendPromptly(Socket socket)
{
    const int on = 1;
    (void)::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool acknowledgePromptly(Socket socket)
{
    // Linux would otherwise hold the acknowledgement up to 40 ms.
    const int on = 1;
    (void)::setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
    return true;
}
