// The RFC 2217 port: negotiation, the line's commands and data over one
// non-blocking socket, read only when the link asks.
#include "serial/Rfc2217Port.h"

#include <algorithm>
#include <cctype>
#include <thread>

#include "serial/Sockets.h"
#include "serial/TcpConnection.h"
#include "texts/Texts.h"

using namespace telnet;

namespace {

// How long a write may find the socket full before the connection counts as
// lost (a half-sent Telnet command would leave the stream out of step).
constexpr int WRITE_STALL_TIMEOUT_MS = 1000;

// Line data taken from the socket ahead of the link: beyond this the rest
// waits in the socket, and TCP holds back a server that never stops sending
// instead of the program filling its memory or reading for ever.
constexpr std::size_t INPUT_LIMIT = 64 * 1024;

// What the server wrote before it closed (ser2net says "Port already in
// use"), as one short line for the box.
constexpr std::size_t SERVER_TEXT_MAX = 80;

// One byte on the line: a start bit, eight data bits and a stop bit at 38400 baud.
constexpr auto lineTime(std::size_t bytes)
{
    return std::chrono::microseconds((std::uint64_t(bytes) * 10 * 1'000'000 + comport::BAUD - 1) / comport::BAUD);
}

bool weDo(std::uint8_t option)
{
    return option == OPTION_BINARY || option == OPTION_SUPPRESS_GO_AHEAD || option == OPTION_COM_PORT;
}

bool serverMayDo(std::uint8_t option) { return option == OPTION_BINARY || option == OPTION_SUPPRESS_GO_AHEAD; }

} // namespace

PortOpenResult Rfc2217Port::open(const std::string& device, const std::string& host, std::uint16_t port,
                                 const Rfc2217Timeouts& timeouts)
{
    PortOpenResult result;
    result.device = device;
    const TcpConnection connection = connectTcp(host, port, timeouts.connectMs);
    if (connection.socket == NO_SOCKET) {
        result.reason = connection.reason;
        return result;
    }
    std::unique_ptr<Rfc2217Port> opened(new Rfc2217Port(connection.socket, timeouts));
    result.reason = opened->negotiate();
    if (result.reason.empty())
        result.port = std::move(opened);
    return result;
}

Rfc2217Port::Rfc2217Port(Socket socket, const Rfc2217Timeouts& timeouts) : socket_(socket), timeouts_(timeouts) {}

Rfc2217Port::~Rfc2217Port() { closeSocket(socket_); }

std::string Rfc2217Port::negotiate()
{
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeouts_.negotiationMs);
    for (const std::uint8_t option : {OPTION_BINARY, OPTION_SUPPRESS_GO_AHEAD, OPTION_COM_PORT})
        request(WILL, option);
    for (const std::uint8_t option : {OPTION_BINARY, OPTION_SUPPRESS_GO_AHEAD})
        request(DO, option);
    waitUntil(deadline, [this] { return optionsAgreed() || optionsRefused(); });
    if (lost_)
        return lostReason();
    if (ours_[OPTION_COM_PORT].refused)
        return toStdString(texts::NET_COM_PORT_REFUSED);
    if (optionsRefused())
        return toStdString(texts::NET_BINARY_REFUSED);
    if (!optionsAgreed())
        return toStdString(texts::NET_NO_NEGOTIATION);

    for (const ComPortCommand& setting : lineSettingCommands())
        send(setting, awaitsAnswer(setting));
    const bool answered = waitUntil(deadline, [this] { return awaitedAnswers_.empty(); });
    if (lost_)
        return lostReason();
    if (!answered)
        return toStdString(texts::NET_NO_NEGOTIATION);
    if (settingRefused_)
        return toStdString(texts::NET_SETTINGS_REFUSED);
    // Whatever the line carried before it was set up is noise.
    input_.clear();
    lineErrors_ = 0;
    return {};
}

bool Rfc2217Port::optionsAgreed() const
{
    return ours_[OPTION_COM_PORT].enabled && ours_[OPTION_BINARY].enabled && servers_[OPTION_BINARY].enabled;
}

bool Rfc2217Port::optionsRefused() const
{
    return ours_[OPTION_COM_PORT].refused || ours_[OPTION_BINARY].refused || servers_[OPTION_BINARY].refused;
}

std::string Rfc2217Port::lostReason() const
{
    if (decoder_.broken())
        return toStdString(texts::NET_BAD_TELNET);
    std::string reason = toStdString(texts::NET_SERVER_CLOSED);
    std::string said;
    for (const std::uint8_t byte : input_) {
        if (byte == '\r' || byte == '\n' || said.size() == SERVER_TEXT_MAX)
            break;
        said += std::isprint(byte) ? char(byte) : '?';
    }
    if (!said.empty())
        reason += ": " + said;
    return reason;
}

void Rfc2217Port::receive()
{
    std::uint8_t chunk[4096];
    std::vector<TelnetEvent> events;
    while (!lost_ && input_.size() < INPUT_LIMIT) {
        const long n = receiveSome(socket_, chunk, sizeof chunk);
        const SocketErrorKind error = n < 0 ? socketErrorKind(lastSocketError()) : SocketErrorKind::Other;
        if (n < 0 && error == SocketErrorKind::Interrupted)
            continue;
        if (n < 0 && error == SocketErrorKind::WouldBlock)
            return;
        if (n <= 0) {
            lose();
            return;
        }
        // ser2net sends an answer's bytes one by one, each after the last
        // one's acknowledgement. Where the system cannot be made to
        // acknowledge at once, a Telnet NOP (which the server ignores) carries
        // the acknowledgement without a wait.
        if (!acknowledgePromptly(socket_))
            sendBytes({IAC, NOP});
        events.clear();
        const bool intact = decoder_.decode({chunk, std::size_t(n)}, input_, events);
        for (const TelnetEvent& event : events)
            handle(event);
        if (!intact)
            lose();
    }
}

void Rfc2217Port::handle(const TelnetEvent& event)
{
    if (const auto* negotiation = std::get_if<TelnetNegotiation>(&event)) {
        handleNegotiation(*negotiation);
        return;
    }
    const auto& sub = std::get<TelnetSubnegotiation>(event);
    if (sub.option != OPTION_COM_PORT)
        return;
    if (const auto command = serverComPortCommand(sub.payload))
        handleComPort(*command);
}

void Rfc2217Port::handleNegotiation(const TelnetNegotiation& negotiation)
{
    // Answer only changes of state, so that neither side loops (RFC 854).
    const std::uint8_t option = negotiation.option;
    const bool enable = negotiation.verb == DO || negotiation.verb == WILL;
    const bool aboutUs = negotiation.verb == DO || negotiation.verb == DONT;
    OptionState& state = aboutUs ? ours_[option] : servers_[option];
    const bool wanted = aboutUs ? weDo(option) : serverMayDo(option);
    const std::uint8_t yes = aboutUs ? WILL : DO;
    const std::uint8_t no = aboutUs ? WONT : DONT;
    std::vector<std::uint8_t> answer;
    if (enable && !wanted) {
        appendTelnetNegotiation(answer, no, option);
    } else if (enable) {
        if (!state.enabled && !state.requested)
            appendTelnetNegotiation(answer, yes, option);
        state.enabled = true;
        state.requested = false;
    } else if (state.requested) {
        state.requested = false;
        state.refused = true;
    } else if (state.enabled) {
        state.enabled = false;
        appendTelnetNegotiation(answer, no, option);
    }
    if (!answer.empty())
        sendBytes(answer);
}

void Rfc2217Port::handleComPort(const ComPortCommand& command)
{
    if (command.code == comport::NOTIFY_LINESTATE) {
        if (!command.value.empty())
            lineErrors_ |= lineErrorsOfLineState(command.value[0]);
        return;
    }
    // An answer names the command it answers; SET-CONTROL's also by its value,
    // since several of them may be on their way.
    const auto answered = std::find_if(awaitedAnswers_.begin(), awaitedAnswers_.end(), [&](const ComPortCommand& c) {
        return c.code == command.code && (c.code != comport::SET_CONTROL || c.value == command.value);
    });
    if (answered == awaitedAnswers_.end())
        return;
    if (answered->value != command.value)
        settingRefused_ = true;
    awaitedAnswers_.erase(answered);
}

void Rfc2217Port::request(std::uint8_t verb, std::uint8_t option)
{
    OptionState& state = verb == WILL ? ours_[option] : servers_[option];
    state.requested = true;
    std::vector<std::uint8_t> bytes;
    appendTelnetNegotiation(bytes, verb, option);
    sendBytes(bytes);
}

void Rfc2217Port::send(const ComPortCommand& command, bool awaitAnswer)
{
    std::vector<std::uint8_t> bytes;
    appendComPortCommand(bytes, command);
    if (sendBytes(bytes) && awaitAnswer)
        awaitedAnswers_.push_back(command);
}

bool Rfc2217Port::sendBytes(const std::vector<std::uint8_t>& bytes)
{
    std::size_t sent = 0;
    while (!lost_ && sent < bytes.size()) {
        const long n = sendSome(socket_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += std::size_t(n);
            continue;
        }
        const SocketErrorKind error = n < 0 ? socketErrorKind(lastSocketError()) : SocketErrorKind::Other;
        if (error == SocketErrorKind::Interrupted)
            continue;
        if (error == SocketErrorKind::WouldBlock && waitSocket(socket_, SocketWait::Writable, WRITE_STALL_TIMEOUT_MS))
            continue;
        lose();
    }
    return !lost_;
}

bool Rfc2217Port::waitUntil(Deadline deadline, const std::function<bool()>& done)
{
    for (;;) {
        receive();
        if (done())
            return true;
        // A full input waits for the link: nothing more comes in until it reads.
        if (lost_ || input_.size() >= INPUT_LIMIT)
            return false;
        const int ms = msUntil(deadline);
        if (ms == 0)
            return false;
        (void)waitSocket(socket_, SocketWait::Readable, ms);
    }
}

void Rfc2217Port::applyLineSettings()
{
    for (const ComPortCommand& setting : lineSettingCommands())
        send(setting, false);
}

void Rfc2217Port::setRts(bool asserted)
{
    awaitedAnswers_.clear();
    send(rtsCommand(asserted), true);
    // A server whose line has no RTS may never answer: the reset then goes on
    // without it, and the greeting that does not come tells the user.
    if (!waitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeouts_.controlMs),
                   [this] { return awaitedAnswers_.empty(); }))
        awaitedAnswers_.clear();
}

bool Rfc2217Port::write(const std::uint8_t* data, std::size_t length)
{
    std::vector<std::uint8_t> bytes;
    appendTelnetData(bytes, {data, length});
    if (!sendBytes(bytes))
        return false;
    lineFree_ = std::max(lineFree_, std::chrono::steady_clock::now()) + lineTime(length);
    return true;
}

void Rfc2217Port::drain()
{
    std::this_thread::sleep_until(lineFree_);
    // MinGW's sleeps count whole milliseconds and drop the rest, so they may end
    // before the line is free: what is left is slept again, rounded up.
    for (auto now = std::chrono::steady_clock::now(); now < lineFree_; now = std::chrono::steady_clock::now())
        std::this_thread::sleep_for(std::chrono::ceil<std::chrono::milliseconds>(lineFree_ - now));
}

SerialPort::Status Rfc2217Port::queryStatus()
{
    receive();
    Status status;
    status.errors = lineErrors_;
    lineErrors_ = 0;
    // Data that came before the connection was lost is delivered first.
    if (lost_ && input_.empty())
        status.errors |= LineError::IOE;
    status.queued = input_.size();
    return status;
}

std::size_t Rfc2217Port::read(std::uint8_t* buffer, std::size_t maxLength)
{
    const std::size_t count = std::min(maxLength, input_.size());
    std::copy_n(input_.begin(), count, buffer);
    input_.erase(input_.begin(), input_.begin() + std::ptrdiff_t(count));
    return count;
}

void Rfc2217Port::purge()
{
    receive();
    input_.clear();
    send(purgeCommand(), false);
}

bool Rfc2217Port::waitReadable(int timeoutMs)
{
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    return waitUntil(deadline, [this] { return !input_.empty() || lineErrors_ != 0; }) || lost_;
}
