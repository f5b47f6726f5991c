// Sockets on Windows, through Winsock.
#include "serial/Sockets.h"

#include <algorithm>
#include <type_traits>

#include "texts/WindowsSystemText.h"

static_assert(std::is_same_v<Socket, SOCKET> && NO_SOCKET == INVALID_SOCKET);

namespace {

// send and recv take an int count.
constexpr std::size_t CHUNK_MAX = 1 << 30;

} // namespace

int startSockets()
{
    // Once per process, and never cleaned up: a name lookup that outlived its
    // wait may still be running when the program ends.
    static const int error = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data);
    }();
    return error;
}

Socket openStreamSocket(int family, bool nonBlocking)
{
    if (const int error = startSockets()) {
        ::WSASetLastError(error);
        return INVALID_SOCKET;
    }
    const SOCKET socket =
        ::WSASocketW(family, SOCK_STREAM, 0, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    u_long on = 1;
    if (socket != INVALID_SOCKET && nonBlocking && ::ioctlsocket(socket, FIONBIO, &on) != 0) {
        const int error = ::WSAGetLastError();
        ::closesocket(socket);
        ::WSASetLastError(error);
        return INVALID_SOCKET;
    }
    return socket;
}

void closeSocket(Socket socket) { ::closesocket(socket); }

int lastSocketError() { return ::WSAGetLastError(); }

SocketErrorKind socketErrorKind(int error)
{
    switch (error) {
    case WSAEWOULDBLOCK: return SocketErrorKind::WouldBlock;
    case WSAEINTR: return SocketErrorKind::Interrupted;
    case WSAECONNREFUSED: return SocketErrorKind::Refused;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH: return SocketErrorKind::Unreachable;
    case WSAETIMEDOUT: return SocketErrorKind::TimedOut;
    default: return SocketErrorKind::Other;
    }
}

// FormatMessage's words, in the language of the user's Windows, and the number.
std::string socketErrorWords(int error) { return windowsErrorText(DWORD(error)); }

int connectWithin(Socket socket, const sockaddr* address, socklen_t length, int timeoutMs)
{
    if (::connect(socket, address, length) == 0)
        return 0;
    // A connection under way is "would block" here, where Linux says "in progress".
    if (const int error = ::WSAGetLastError(); error != WSAEWOULDBLOCK)
        return error;
    // select, not WSAPoll: WSAPoll of Windows 10 before version 2004 never
    // reports a connection that failed, only the end of the wait. A failed
    // attempt shows in the exception set.
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval wait{timeoutMs / 1000, timeoutMs % 1000 * 1000};
    const int ready = ::select(0, nullptr, &writable, &failed, &wait);
    if (ready == SOCKET_ERROR)
        return ::WSAGetLastError();
    if (ready == 0)
        return WSAETIMEDOUT;
    int error = 0;
    int size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
        return ::WSAGetLastError();
    return FD_ISSET(socket, &failed) && error == 0 ? WSAECONNREFUSED : error;
}

bool waitSocket(Socket socket, SocketWait what, int timeoutMs)
{
    // No signal ends a wait early on Windows. POLLRDNORM and POLLWRNORM, not
    // POLLIN and POLLOUT: WSAPoll refuses a priority bit POLLIN includes with
    // some providers.
    WSAPOLLFD entry{socket, short(what == SocketWait::Readable ? POLLRDNORM : POLLWRNORM), 0};
    return ::WSAPoll(&entry, 1, timeoutMs) > 0;
}

long sendSome(Socket socket, const std::uint8_t* data, std::size_t length)
{
    // Windows has no SIGPIPE: a closed connection is an error without a flag.
    return ::send(socket, reinterpret_cast<const char*>(data), int(std::min(length, CHUNK_MAX)), 0);
}

long receiveSome(Socket socket, std::uint8_t* buffer, std::size_t capacity)
{
    return ::recv(socket, reinterpret_cast<char*>(buffer), int(std::min(capacity, CHUNK_MAX)), 0);
}

void sendPromptly(Socket socket)
{
    const BOOL on = TRUE;
    (void)::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

// Windows holds an acknowledgement up to 200 ms. Its one per-socket remedy,
// SIO_TCP_SET_ACK_FREQUENCY, changes nothing under Wine, where Linux's 40 ms
// then apply (a 2 KB read through ser2net took 93 s instead of 11 s): the
// caller's own bytes carry the acknowledgement on every Windows.
bool acknowledgePromptly(Socket) { return false; }
