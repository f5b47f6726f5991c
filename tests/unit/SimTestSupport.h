// Shared set-up of the simulator tests: a board on the virtual clock, and the
// PC side of the wire (send a frame and wait until it has left, receive a byte
// with the 300 ms time-out, pause) without the serial link.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"

class SimBench {
public:
    explicit SimBench(const std::string& model, int crystalMHz = 16, SimFaults faults = {})
    {
        std::string reason;
        board = SimulatedBoard::create(model, crystalMHz, reason, std::move(faults));
        if (board)
            port = board->openPort(clock);
    }

    void send(std::initializer_list<std::uint8_t> frame)
    {
        const std::vector<std::uint8_t> bytes(frame);
        port->write(bytes.data(), bytes.size());
        port->drain();
    }

    // The next byte, or none after 300 ms without one.
    std::optional<std::uint8_t> receive()
    {
        if (!clock.waitForInput(*port, clock.tick() + 300))
            return std::nullopt;
        std::uint8_t byte = 0;
        if (port->read(&byte, 1) != 1)
            return std::nullopt;
        return byte;
    }

    std::optional<std::uint8_t> readByte(std::uint16_t address)
    {
        send({'C', std::uint8_t(address >> 8), std::uint8_t(address)});
        return receive();
    }

    void writeByte(std::uint16_t address, std::uint8_t value, std::uint32_t pauseMs = 10)
    {
        send({'z', std::uint8_t(address >> 8), std::uint8_t(address), value});
        clock.pause(pauseMs);
    }

    void writeWord(std::uint16_t address, std::uint8_t first, std::uint8_t second, std::uint32_t pauseMs = 10)
    {
        send({'s', std::uint8_t(address >> 8), std::uint8_t(address), first, second});
        clock.pause(pauseMs);
    }

    // The reset step as connecting makes it: 200 ms pulse, 10 ms settling, greeting,
    // 'R', 10 ms, 'U' with the divider. Returns the greeting received.
    std::string reset(std::uint8_t divider)
    {
        port->setRts(true);
        clock.pause(200);
        port->setRts(false);
        clock.pause(10);
        std::string greeting;
        for (int i = 0; i < 4; ++i)
            if (auto byte = receive())
                greeting += char(*byte);
        send({'R'});
        clock.pause(10);
        send({'U', divider});
        return greeting;
    }

    std::string resetForCrystal() { return reset(SimulatedBoard::dividerFor(board->crystalMHz())); }

    VirtualClock clock;
    std::shared_ptr<SimulatedBoard> board;
    std::unique_ptr<SerialPort> port;
};
