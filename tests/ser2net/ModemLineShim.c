/*
 * Loaded into ser2net by the tests (LD_PRELOAD). The pseudo-terminal that
 * stands in for the adapter has no modem lines: its ioctls for them fail, so
 * ser2net could neither set RTS for the reset nor answer the client's RTS
 * commands. This library keeps the lines for that one terminal
 * (ROVIDADA_SHIM_TTY) and sends every change of RTS, as a datagram "1" or
 * "0", to the simulated board's socket (ROVIDADA_SHIM_SOCKET). All other
 * ioctls go to the C library unchanged.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

/* The lines the board drives read as a connected device's. */
static int modemLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;

static int isTheTerminal(int fd)
{
    const char* terminal = getenv("ROVIDADA_SHIM_TTY");
    char link[64];
    char path[256];
    if (!terminal)
        return 0;
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length <= 0)
        return 0;
    path[length] = '\0';
    return strcmp(path, terminal) == 0;
}

static void tellBoard(int rtsAsserted)
{
    const char* socketPath = getenv("ROVIDADA_SHIM_SOCKET");
    struct sockaddr_un address;
    if (!socketPath || strlen(socketPath) >= sizeof address.sun_path)
        return;
    memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    strcpy(address.sun_path, socketPath);
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    (void)sendto(fd, rtsAsserted ? "1" : "0", 1, 0, (const struct sockaddr*)&address, sizeof address);
    close(fd);
}

int ioctl(int fd, unsigned long request, ...)
{
    static int (*next)(int, unsigned long, ...);
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (!next)
        next = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");

    if ((request != TIOCMGET && request != TIOCMSET && request != TIOCMBIS && request != TIOCMBIC) ||
        !isTheTerminal(fd))
        return next(fd, request, argument);

    const int driven = TIOCM_RTS | TIOCM_DTR;
    const int* bits = (const int*)argument;
    const int before = modemLines;
    switch (request) {
    case TIOCMGET:
        *(int*)argument = modemLines;
        return 0;
    case TIOCMSET:
        modemLines = (modemLines & ~driven) | (*bits & driven);
        break;
    case TIOCMBIS:
        modemLines |= *bits & driven;
        break;
    default:
        modemLines &= ~(*bits & driven);
        break;
    }
    if ((before ^ modemLines) & TIOCM_RTS)
        tellBoard((modemLines & TIOCM_RTS) != 0);
    return 0;
}
