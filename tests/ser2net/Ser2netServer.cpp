// Starting and stopping ser2net for the tests and the benchmark.
#include "Ser2netServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int START_ATTEMPTS = 5; // a port found free may be taken before ser2net binds it
constexpr auto START_TIMEOUT = std::chrono::seconds(5);

// A port free on both loopback addresses a moment ago.
std::uint16_t freePort()
{
    for (;;) {
        const int v4 = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in in{};
        in.sin_family = AF_INET;
        in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof in;
        ::bind(v4, reinterpret_cast<sockaddr*>(&in), length);
        ::getsockname(v4, reinterpret_cast<sockaddr*>(&in), &length);
        const int v6 = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in6 in6{};
        in6.sin6_family = AF_INET6;
        in6.sin6_addr = in6addr_loopback;
        in6.sin6_port = in.sin_port;
        const bool bothFree = ::bind(v6, reinterpret_cast<sockaddr*>(&in6), sizeof in6) == 0;
        ::close(v4);
        ::close(v6);
        if (bothFree)
            return ntohs(in.sin_port);
    }
}

// Whether /proc/net/tcp or tcp6 shows a socket listening on the port.
bool listening(const char* table, std::uint16_t port)
{
    std::ifstream lines(table);
    std::string line;
    char hexPort[8];
    std::snprintf(hexPort, sizeof hexPort, ":%04X", port);
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        if (fields >> slot >> local >> remote >> state && local.ends_with(hexPort) && state == "0A")
            return true;
    }
    return false;
}

std::string connectionEntry(const char* name, const char* address, std::uint16_t port, const std::string& tty,
                            bool charDelay)
{
    return std::string("connection: &") + name + "\n" +
           "  accepter: telnet(rfc2217),tcp," + address + "," + std::to_string(port) + "\n" +
           "  connector: serialdev," + tty + ",38400n81,local\n" +
           "  options:\n" +
           "    kickolduser: false\n" +
           "    chardelay: " + (charDelay ? "true" : "false") + "\n";
}

} // namespace

std::string Ser2netServer::program()
{
    for (const char* path : {"/usr/sbin/ser2net", "/usr/bin/ser2net", "/usr/local/sbin/ser2net"})
        if (::access(path, X_OK) == 0)
            return path;
    return {};
}

Ser2netServer::Ser2netServer(const Options& options)
{
    char directory[] = "/tmp/rovidada-ser2net-XXXXXX";
    if (!::mkdtemp(directory))
        throw std::runtime_error("no temporary directory for ser2net");
    directory_ = directory;
    for (int attempt = 0; attempt < START_ATTEMPTS; ++attempt)
        if (start(options, freePort()))
            return;
    throw std::runtime_error("ser2net did not start:\n" + log());
}

Ser2netServer::~Ser2netServer()
{
    if (pid_ > 0) {
        // A clean end first; a server that does not take it within a second goes anyway.
        ::kill(pid_, SIGTERM);
        for (int waited = 0; waited < 100 && !reaped(); ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kill();
    }
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

bool Ser2netServer::start(const Options& options, std::uint16_t port)
{
    port_ = port;
    const std::string config = directory_ + "/ser2net.yaml";
    std::ofstream(config) << "%YAML 1.1\n---\n"
                          << connectionEntry("ipv4", "127.0.0.1", port, options.tty, options.charDelay)
                          << connectionEntry("ipv6", "::1", port, options.tty, options.charDelay);

    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("LD_PRELOAD="))
            environment.emplace_back(*variable);
    environment.push_back(std::string("LD_PRELOAD=") + ROVIDADA_MODEM_LINE_SHIM);
    environment.push_back("ROVIDADA_SHIM_TTY=" + options.tty);
    environment.push_back("ROVIDADA_SHIM_SOCKET=" + options.rtsSocketPath);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    const std::string executable = program();
    const std::string pidFile = directory_ + "/ser2net.pid";
    // -n: stay in the foreground; -u: no UUCP lock files, which need /var/lock.
    std::vector<const char*> argv = {executable.c_str(), "-n", "-u", "-c", config.c_str(), "-P", pidFile.c_str(),
                                     nullptr};
    const int logFd = ::open((directory_ + "/ser2net.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);

    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(logFd, STDOUT_FILENO);
        ::dup2(logFd, STDERR_FILENO);
        ::execve(executable.c_str(), const_cast<char* const*>(argv.data()), envp.data());
        ::_exit(127);
    }
    ::close(logFd);

    const auto deadline = std::chrono::steady_clock::now() + START_TIMEOUT;
    while (std::chrono::steady_clock::now() < deadline) {
        if (reaped())
            return false; // it gave up, most likely on a port taken meanwhile
        if (listening("/proc/net/tcp", port) && listening("/proc/net/tcp6", port))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill();
    return false;
}

std::string Ser2netServer::url(bool ipv6) const
{
    return std::string("rfc2217://") + (ipv6 ? "[::1]" : "127.0.0.1") + ":" + std::to_string(port_);
}

void Ser2netServer::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL); // nothing happens to one that has ended and waits to be reaped
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

bool Ser2netServer::reaped()
{
    if (pid_ <= 0 || ::waitpid(pid_, nullptr, WNOHANG) != pid_)
        return pid_ <= 0;
    pid_ = -1; // its number may be another process's from now on
    return true;
}

std::string Ser2netServer::log() const
{
    std::ifstream file(directory_ + "/ser2net.log");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
