// A serial port for tests of the link: input bytes and line errors are scripted
// at virtual times, and everything the link does to the port (writes, purges,
// RTS, settings) is recorded with the virtual time it happened at.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "serial/LineErrorTexts.h"
#include "serial/LinkObserver.h"
#include "serial/PortOpener.h"
#include "serial/SerialPort.h"
#include "serial/VirtualClock.h"

inline constexpr std::uint64_t MS = 1000; // microseconds

class ScriptedPort : public SerialPort {
public:
    struct Event {
        enum Kind { Write, Purge, RtsOn, RtsOff, Settings };
        Kind kind;
        std::uint64_t us;
        std::vector<std::uint8_t> bytes; // Write only
    };

    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    // Bytes that become readable at `us`, each `spacingUs` after the one before.
    void bytesAt(std::uint64_t us, const std::vector<std::uint8_t>& bytes, std::uint64_t spacingUs = 0)
    {
        for (const std::uint8_t byte : bytes) {
            script_.emplace(us, Item{byte, 0});
            us += spacingUs;
        }
    }
    void errorAt(std::uint64_t us, std::uint32_t flags) { script_.emplace(us, Item{0, flags}); }

    std::vector<Event> log;
    std::size_t largestRead = 0;
    std::size_t reads = 0;
    std::function<void()> onRtsReleased;

    std::vector<Event> eventsOf(Event::Kind kind) const
    {
        std::vector<Event> found;
        std::copy_if(log.begin(), log.end(), std::back_inserter(found), [&](const Event& e) { return e.kind == kind; });
        return found;
    }

    void applyLineSettings() override { record(Event::Settings); }
    void setRts(bool asserted) override
    {
        record(asserted ? Event::RtsOn : Event::RtsOff);
        if (!asserted && onRtsReleased)
            onRtsReleased();
    }
    bool write(const std::uint8_t* data, std::size_t length) override
    {
        log.push_back({Event::Write, clock_.nowUs(), {data, data + length}});
        return true;
    }
    void drain() override {}
    Status queryStatus() override
    {
        arrive();
        Status status{errors_, driver_.size()};
        errors_ = 0;
        return status;
    }
    std::size_t read(std::uint8_t* buffer, std::size_t maxLength) override
    {
        arrive();
        const std::size_t n = std::min(maxLength, driver_.size());
        std::copy_n(driver_.begin(), n, buffer);
        driver_.erase(driver_.begin(), driver_.begin() + std::ptrdiff_t(n));
        largestRead = std::max(largestRead, n);
        ++reads;
        return n;
    }
    void purge() override
    {
        arrive();
        driver_.clear();
        record(Event::Purge);
    }
    bool waitReadable(int) override { return false; }
    std::optional<std::uint64_t> nextInputUs() override
    {
        if (!driver_.empty() || errors_ != 0)
            return clock_.nowUs();
        if (script_.empty())
            return std::nullopt;
        return script_.begin()->first;
    }

private:
    struct Item {
        std::uint8_t byte;
        std::uint32_t errors; // 0: the item is a byte
    };

    void record(Event::Kind kind) { log.push_back({kind, clock_.nowUs(), {}}); }

    // Moves what has arrived by now into the driver's queue and error word.
    void arrive()
    {
        while (!script_.empty() && script_.begin()->first <= clock_.nowUs()) {
            const Item item = script_.begin()->second;
            if (item.errors != 0)
                errors_ |= item.errors;
            else
                driver_.push_back(item.byte);
            script_.erase(script_.begin());
        }
    }

    VirtualClock& clock_;
    std::multimap<std::uint64_t, Item> script_;
    std::deque<std::uint8_t> driver_;
    std::uint32_t errors_ = 0;
};

// The window as the link sees it: every box and every connection loss, in
// order, and the line-error flags as the link reported them.
class RecordingObserver : public LinkObserver {
public:
    std::vector<std::string> events;
    std::vector<std::uint32_t> lineErrorFlags;
    void lineErrors(std::uint32_t flags) override
    {
        lineErrorFlags.push_back(flags);
        for (const Text message : lineErrorTexts(flags))
            events.push_back("box: " + toStdString(message));
    }
    void connectionLost() override { events.push_back("lost"); }
};

// Hands out prepared ports by name, each once, and counts the opens.
class ScriptedOpener : public PortOpener {
public:
    std::map<std::string, PortOpenResult> ready;
    std::map<std::string, int> opens;

    void offer(const std::string& portName, std::unique_ptr<SerialPort> port, const std::string& device)
    {
        ready[portName] = PortOpenResult{std::move(port), device, {}, false};
    }

    PortOpenResult open(const std::string& portName) override
    {
        ++opens[portName];
        if (auto found = ready.find(portName); found != ready.end() && found->second.port) {
            PortOpenResult result = std::move(found->second);
            ready.erase(found);
            return result;
        }
        return PortOpenResult{nullptr, "/dev/missing", "No such file or directory", false};
    }
};
