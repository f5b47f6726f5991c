// An RFC 2217 server of our own, for what ser2net cannot be made to do: it
// listens on a loopback address, accepts one client and runs a script against
// it in a thread of its own. The script can behave (offer the options ser2net
// offers, answer every COM-PORT command) or misbehave (stay silent, refuse,
// send broken Telnet, close in the middle). Everything the client sent is
// kept: the raw bytes and, decoded, the line data and the COM-PORT commands.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "serial/ComPortOption.h"
#include "serial/Sockets.h"
#include "serial/TelnetCodec.h"

// A TCP socket bound to a free loopback port, and that port.
inline std::pair<Socket, std::uint16_t> boundLoopbackSocket()
{
    const Socket fd = openStreamSocket(AF_INET, false);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
    EXPECT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    return {fd, ntohs(address.sin_port)};
}

class FakeComPortServer {
public:
    static constexpr std::uint8_t OPTION_ECHO = 1;

    using Bytes = std::vector<std::uint8_t>;
    using Script = std::function<void(FakeComPortServer&)>;

    explicit FakeComPortServer(Script script, int family = AF_INET) : family_(family)
    {
        listener_ = openStreamSocket(family, false);
        sockaddr_storage address{};
        socklen_t length = 0;
        if (family == AF_INET6) {
            auto& in6 = reinterpret_cast<sockaddr_in6&>(address);
            in6.sin6_family = AF_INET6;
            in6.sin6_addr = in6addr_loopback;
            length = sizeof in6;
        } else {
            auto& in = reinterpret_cast<sockaddr_in&>(address);
            in.sin_family = AF_INET;
            in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            length = sizeof in;
        }
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), length), 0);
        EXPECT_EQ(::listen(listener_, 4), 0);
        EXPECT_EQ(::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length), 0);
        port_ = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(address).sin6_port
                                         : reinterpret_cast<sockaddr_in&>(address).sin_port);
        thread_ = std::thread([this, script = std::move(script)] {
            if (!waitSocket(listener_, SocketWait::Readable, 5000))
                return; // the client never came; the test says why
            client_ = ::accept(listener_, nullptr, nullptr);
            script(*this);
            close();
        });
    }

    ~FakeComPortServer()
    {
        finish();
        closeSocket(listener_);
    }

    // Waits until the script has ended; what the client sent is whole then.
    void finish()
    {
        if (thread_.joinable())
            thread_.join();
    }

    std::string host() const { return family_ == AF_INET6 ? "::1" : "127.0.0.1"; }
    std::uint16_t port() const { return port_; }
    std::string url() const
    {
        return "rfc2217://" + (family_ == AF_INET6 ? "[" + host() + "]" : host()) + ":" + std::to_string(port_);
    }

    // --- for the script ---

    void send(const Bytes& raw)
    {
        if (client_ != NO_SOCKET)
            (void)sendSome(client_, raw.data(), raw.size());
    }

    // What ser2net sends first: it will and does suppress go-ahead and binary,
    // offers to echo (which a client of a binary line declines), and asks the
    // client for the COM-PORT-OPTION.
    void sendGreeting(std::uint8_t comPortAnswer = telnet::DO)
    {
        using namespace telnet;
        send({IAC, WILL, OPTION_SUPPRESS_GO_AHEAD, IAC, DO, OPTION_SUPPRESS_GO_AHEAD, IAC, WILL, OPTION_ECHO, IAC, DONT,
              OPTION_ECHO, IAC, WILL, OPTION_BINARY, IAC, DO, OPTION_BINARY, IAC, comPortAnswer, OPTION_COM_PORT});
    }

    void sendData(const Bytes& data)
    {
        Bytes raw;
        appendTelnetData(raw, data);
        send(raw);
    }

    void sendComPort(const ComPortCommand& command)
    {
        Bytes raw;
        appendComPortCommand(raw, command);
        send(raw);
    }

    // Reads the client until `done` holds, the client closes or two seconds
    // pass, answering the COM-PORT commands (see answerOf). `done` may look at
    // what the client sent through the accessors below.
    bool serveUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        for (;;) {
            if (done())
                return true;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                    std::chrono::steady_clock::now());
            if (left.count() <= 0 || !waitSocket(client_, SocketWait::Readable, int(left.count())))
                return false;
            std::uint8_t chunk[4096];
            const long n = receiveSome(client_, chunk, sizeof chunk);
            if (n <= 0) {
                clientClosed_ = true;
                return done();
            }
            take({chunk, std::size_t(n)});
        }
    }

    // The usual start: greeting, then the answers to the client's line settings.
    void negotiate()
    {
        sendGreeting();
        serveUntil([this] { return commands().size() >= lineSettingCommands().size(); });
    }

    // Waits until the client has closed its end (or two seconds have passed).
    void serveUntilClosed()
    {
        serveUntil([this] { return clientClosed_; });
    }

    // Ends the connection as a server that reads all it is sent: what was
    // sent goes first, then the end of the stream, and the client's bytes
    // (until it closes, or two seconds) are read and dropped. A close with
    // bytes unread would be a reset, which can drop what is still held back
    // by Nagle's algorithm; a client on Windows sends a NOP for every receipt.
    void close()
    {
        if (client_ == NO_SOCKET)
            return;
#ifdef _WIN32
        (void)::shutdown(client_, SD_SEND);
#else
        (void)::shutdown(client_, SHUT_WR);
#endif
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        std::uint8_t chunk[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                    std::chrono::steady_clock::now());
            if (left.count() <= 0 || !waitSocket(client_, SocketWait::Readable, int(left.count())) ||
                receiveSome(client_, chunk, sizeof chunk) <= 0)
                break;
        }
        closeSocket(client_);
        client_ = NO_SOCKET;
    }

    // The value the server answers a command with (its code plus 100 goes
    // first); none for no answer. By default every command is answered with
    // its own value. Runs on the server's thread, so it may also wait.
    std::function<std::optional<Bytes>(const ComPortCommand&)> answerOf = [](const ComPortCommand& command) {
        return std::optional<Bytes>(command.value);
    };

    // --- what the client sent, safe to read from either thread ---

    Bytes raw() const { return locked(raw_); }
    Bytes data() const { return locked(data_); }
    std::vector<ComPortCommand> commands() const { return locked(commands_); }

private:
    template <typename T> T locked(const T& value) const
    {
        const std::lock_guard lock(mutex_);
        return value;
    }

    void take(std::span<const std::uint8_t> bytes)
    {
        std::vector<TelnetEvent> events;
        std::vector<ComPortCommand> received;
        {
            const std::lock_guard lock(mutex_);
            raw_.insert(raw_.end(), bytes.begin(), bytes.end());
            std::deque<std::uint8_t> data;
            decoder_.decode(bytes, data, events);
            data_.insert(data_.end(), data.begin(), data.end());
            for (const TelnetEvent& event : events)
                if (const auto* sub = std::get_if<TelnetSubnegotiation>(&event);
                    sub && sub->option == telnet::OPTION_COM_PORT && !sub->payload.empty()) {
                    commands_.push_back({sub->payload[0], {sub->payload.begin() + 1, sub->payload.end()}});
                    received.push_back(commands_.back());
                }
        }
        for (const ComPortCommand& command : received)
            if (const auto value = answerOf(command))
                sendComPort({std::uint8_t(command.code + comport::SERVER_OFFSET), *value});
    }

    int family_;
    Socket listener_ = NO_SOCKET;
    Socket client_ = NO_SOCKET;
    bool clientClosed_ = false;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    TelnetDecoder decoder_;
    Bytes raw_;
    Bytes data_;
    std::vector<ComPortCommand> commands_;
    std::thread thread_;
};
