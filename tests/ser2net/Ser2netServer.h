// The real ser2net, started for one test on the loopback addresses of both
// families with a configuration file of its own: one TCP port, Telnet with
// RFC 2217, the given terminal as its serial device at 38400 8N1. The modem
// line shim is loaded into it, so that its RTS reaches the simulated board.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

class Ser2netServer {
public:
    // The program, or empty when it is not installed.
    static std::string program();

    struct Options {
        std::string tty;
        std::string rtsSocketPath;
        // ser2net waits two characters' time after the last byte from the
        // device before it sends; off, each answer goes at once.
        bool charDelay = false;
    };
    explicit Ser2netServer(const Options& options);
    ~Ser2netServer();
    Ser2netServer(const Ser2netServer&) = delete;
    Ser2netServer& operator=(const Ser2netServer&) = delete;

    // "rfc2217://127.0.0.1:PORT" or "rfc2217://[::1]:PORT".
    std::string url(bool ipv6 = false) const;
    pid_t pid() const { return pid_; }
    // Ends the server at once, its connections with it.
    void kill();
    // What it wrote, for a failing test's output.
    std::string log() const;

private:
    bool start(const Options& options, std::uint16_t port);
    // Whether the server has ended (and is gone for good).
    bool reaped();

    std::string directory_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
};
