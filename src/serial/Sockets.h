// The few things TCP sockets do differently on Linux and in Windows' Winsock,
// behind one set of calls, so that the TCP connection and the RFC 2217 port
// are the same code on both systems: starting Winsock, closing, waiting with
// poll or WSAPoll, a non-blocking connection's errors, the error numbers and
// their words, and the options that make small frames go at once. The names
// both systems share (addresses, getaddrinfo, bind, listen, accept) come with
// this header from wherever the system keeps them.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "serial/SocketHandle.h"

// Makes sockets and name lookups usable: Winsock is started once per process
// (nothing to do on Linux). 0, or the error.
int startSockets();

// A TCP socket that child processes do not inherit, non-blocking if asked;
// NO_SOCKET with lastSocketError() if none.
Socket openStreamSocket(int family, bool nonBlocking);
void closeSocket(Socket socket);

// The error of this thread's last failed socket call (errno, WSAGetLastError()).
int lastSocketError();

// What an error number means to the program.
enum class SocketErrorKind { WouldBlock, Interrupted, Refused, Unreachable, TimedOut, Other };
SocketErrorKind socketErrorKind(int error);
// The system's words for an error number.
std::string socketErrorWords(int error);

// Connects a non-blocking socket, waiting at most timeoutMs: 0 once
// connected, otherwise the error (a wait that ran out is TimedOut's).
int connectWithin(Socket socket, const sockaddr* address, socklen_t length, int timeoutMs);

// Whole milliseconds from now until `deadline`, rounded up so that a wait of
// that long never ends before it; 0 once it has passed.
inline int msUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

enum class SocketWait { Readable, Writable };
// Waits up to timeoutMs (signals do not shorten it) until the socket is ready
// for `what` or has an error or a hang-up to report: true then, false if the
// time ran out.
bool waitSocket(Socket socket, SocketWait what, int timeoutMs);

// What the socket takes or holds now: the count (0 from receiveSome: the other
// side closed), or -1 with lastSocketError(). A closed connection is never a
// signal (SIGPIPE) that ends the program.
long sendSome(Socket socket, const std::uint8_t* data, std::size_t length);
long receiveSome(Socket socket, std::uint8_t* buffer, std::size_t capacity);

// For a connection whose frames are a few bytes, each waiting for its answer:
// sent at once (Nagle's algorithm off), after connecting.
void sendPromptly(Socket socket);
// Has what was received acknowledged at once, for a peer that sends each
// next byte only after the last one's acknowledgement (Nagle's algorithm);
// after each receive, since Linux leaves its quick acknowledgements on its
// own. False where the system cannot be told so: the caller then sends a few
// bytes of its own, which carry the acknowledgement.
bool acknowledgePromptly(Socket socket);
