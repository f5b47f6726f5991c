// A socket as the system names it: a file descriptor on Linux, Winsock's
// SOCKET (an unsigned handle) on Windows. Apart from serial/Sockets.h, so that
// a header holding a socket does not bring Winsock's headers into every file
// that includes it (they must come before windows.h wherever they are used).
#pragma once

#include <cstdint>

#ifdef _WIN32
using Socket = std::uintptr_t;                  // SOCKET
inline constexpr Socket NO_SOCKET = ~Socket(0); // INVALID_SOCKET
#else
using Socket = int;
inline constexpr Socket NO_SOCKET = -1;
#endif
