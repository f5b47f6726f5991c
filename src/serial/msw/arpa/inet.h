// Windows keeps inet_pton and the address structures in Winsock's headers;
// this folder is on the engine's include path in the Windows build only, so
// the port-name rules read the same on both systems.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>
