// A TCP connection to a serial server, made within a time limit: the name
// lookup and the connection attempts to each of the host's addresses share
// it, so an unreachable host or a silent name server cannot hang the window.
#pragma once

#include <cstdint>
#include <string>

#include "serial/SocketHandle.h"

struct TcpConnection {
    Socket socket = NO_SOCKET; // non-blocking, Nagle off; NO_SOCKET when no connection was made
    std::string reason;        // why not, for the second line of the port box
};

// host: a name, an IPv4 address or an IPv6 address (without brackets).
TcpConnection connectTcp(const std::string& host, std::uint16_t port, int timeoutMs);
