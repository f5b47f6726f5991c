// Name lookup and connection with one deadline.
#include "serial/TcpConnection.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "serial/Sockets.h"
#include "texts/Texts.h"

namespace {

using Deadline = std::chrono::steady_clock::time_point;

struct AddressList {
    int status = EAI_AGAIN; // getaddrinfo's result
    addrinfo* first = nullptr;
    ~AddressList()
    {
        if (first)
            ::freeaddrinfo(first);
    }
};

// A name lookup in a thread of its own, since getaddrinfo takes no time limit;
// a lookup that outlives the wait finishes unseen and frees its result.
std::shared_ptr<AddressList> lookUpName(const std::string& host, const std::string& service, Deadline deadline,
                                        bool& timedOut)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::shared_ptr<AddressList> list = std::make_shared<AddressList>();
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, host, service] {
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* first = nullptr;
        const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &first);
        const std::lock_guard lock(shared->mutex);
        shared->list->status = status;
        shared->list->first = first;
        shared->finished = true;
        shared->done.notify_one();
    }).detach();
    std::unique_lock lock(shared->mutex);
    timedOut = !shared->done.wait_until(lock, deadline, [&] { return shared->finished; });
    return timedOut ? nullptr : shared->list;
}

std::shared_ptr<AddressList> lookUp(const std::string& host, std::uint16_t port, Deadline deadline, bool& timedOut)
{
    const std::string service = std::to_string(port);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    auto numeric = std::make_shared<AddressList>();
    numeric->status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &numeric->first);
    timedOut = false;
    if (numeric->status != EAI_NONAME)
        return numeric;
    return lookUpName(host, service, deadline, timedOut);
}

// The error of one connection attempt, or 0 once connected.
int attempt(const addrinfo& address, Deadline deadline, Socket& socket)
{
    socket = openStreamSocket(address.ai_family, true);
    if (socket == NO_SOCKET)
        return lastSocketError();
    const int error = connectWithin(socket, address.ai_addr, socklen_t(address.ai_addrlen), msUntil(deadline));
    if (error != 0) {
        closeSocket(socket);
        socket = NO_SOCKET;
    }
    return error;
}

std::string reasonOf(int error)
{
    switch (socketErrorKind(error)) {
    case SocketErrorKind::Refused: return toStdString(texts::NET_CONNECTION_REFUSED);
    case SocketErrorKind::Unreachable: return toStdString(texts::NET_HOST_UNREACHABLE);
    case SocketErrorKind::TimedOut: return toStdString(texts::NET_CONNECT_TIMEOUT);
    default: return socketErrorWords(error);
    }
}

} // namespace

TcpConnection connectTcp(const std::string& host, std::uint16_t port, int timeoutMs)
{
    if (const int error = startSockets())
        return {NO_SOCKET, socketErrorWords(error)};
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool lookupTimedOut = false;
    const auto addresses = lookUp(host, port, deadline, lookupTimedOut);
    if (lookupTimedOut)
        return {NO_SOCKET, toStdString(texts::NET_LOOKUP_TIMEOUT)};
    if (addresses->status != 0)
        return {NO_SOCKET, toStdString(texts::NET_HOST_UNKNOWN)};

    int error = 0;
    bool attempted = false;
    for (const addrinfo* address = addresses->first; address && msUntil(deadline) > 0; address = address->ai_next) {
        Socket socket = NO_SOCKET;
        error = attempt(*address, deadline, socket);
        attempted = true;
        if (error == 0) {
            // Frames are a few bytes each and every one waits for its answer:
            // they must leave at once, not when Nagle's algorithm lets them.
            sendPromptly(socket);
            return {socket, {}};
        }
    }
    return {NO_SOCKET, attempted ? reasonOf(error) : toStdString(texts::NET_CONNECT_TIMEOUT)};
}
