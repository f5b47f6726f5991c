// A serial line on another machine, reached through a Telnet server with the
// COM-PORT-OPTION of RFC 2217 (ser2net's "telnet(rfc2217)" accepter): the
// server sets its line to 38400 8N1, drives RTS for the reset, purges for a
// flush and reports the line's errors, while the data goes both ways in
// Telnet's binary mode.
//
// Every wait on the server is bounded: connecting, negotiating and each RTS
// change of the reset. A connection the server drops, or a stream that breaks
// Telnet's rules, is from then on the I/O error flag, as an adapter pulled out
// of a local port is.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "serial/ComPortOption.h"
#include "serial/PortOpener.h"
#include "serial/SerialPort.h"
#include "serial/SocketHandle.h"
#include "serial/TelnetCodec.h"

struct Rfc2217Timeouts {
    int connectMs = 3000;     // name lookup and TCP connection
    int negotiationMs = 3000; // Telnet options and the server's answers to the line settings
    int controlMs = 1000;     // the server's answer to each RTS change
};

class Rfc2217Port : public SerialPort {
public:
    // Connects to host:port (host without brackets) and negotiates the line; a
    // failure is a failed open with the reason. `device` is the name the box
    // shows, as the user wrote it.
    static PortOpenResult open(const std::string& device, const std::string& host, std::uint16_t port,
                               const Rfc2217Timeouts& timeouts = {});

    ~Rfc2217Port() override;
    Rfc2217Port(const Rfc2217Port&) = delete;
    Rfc2217Port& operator=(const Rfc2217Port&) = delete;

    void applyLineSettings() override;
    // Waits for the server's answer (up to controlMs), so that the pulse's
    // time counts from the moment the server has set the line.
    void setRts(bool asserted) override;
    bool write(const std::uint8_t* data, std::size_t length) override;
    // The server gives no word when its line has sent the bytes: this waits
    // the bytes' time at 38400 baud from the moment they were written.
    void drain() override;
    Status queryStatus() override;
    std::size_t read(std::uint8_t* buffer, std::size_t maxLength) override;
    void purge() override;
    bool waitReadable(int timeoutMs) override;

private:
    using Deadline = std::chrono::steady_clock::time_point;

    // Telnet's view of one option on one side (ours: WILL/WONT; the server's: DO/DONT).
    struct OptionState {
        bool enabled = false;
        bool requested = false; // we asked and wait for the answer
        bool refused = false;   // we asked and were told no
    };

    Rfc2217Port(Socket socket, const Rfc2217Timeouts& timeouts);

    // Empty when the line is ready, otherwise why not.
    std::string negotiate();
    bool optionsAgreed() const;
    bool optionsRefused() const;
    std::string lostReason() const;

    // Reads what the socket holds and handles it; never blocks.
    void receive();
    void handle(const TelnetEvent& event);
    void handleNegotiation(const TelnetNegotiation& negotiation);
    void handleComPort(const ComPortCommand& command);
    void request(std::uint8_t verb, std::uint8_t option);
    void send(const ComPortCommand& command, bool awaitAnswer);
    bool sendBytes(const std::vector<std::uint8_t>& bytes);
    // Receives until done() holds, the deadline passes or the connection is lost.
    bool waitUntil(Deadline deadline, const std::function<bool()>& done);
    void lose() { lost_ = true; }

    Socket socket_;
    Rfc2217Timeouts timeouts_;
    TelnetDecoder decoder_;
    std::deque<std::uint8_t> input_; // line data received, not yet read
    std::uint32_t lineErrors_ = 0;   // LineError flags reported since the last query
    bool lost_ = false;
    std::array<OptionState, 256> ours_{};
    std::array<OptionState, 256> servers_{};
    std::vector<ComPortCommand> awaitedAnswers_;
    bool settingRefused_ = false;           // an answer named another value than we asked for
    Deadline lineFree_ = Deadline::min();   // when the server's line has sent what we wrote
};
