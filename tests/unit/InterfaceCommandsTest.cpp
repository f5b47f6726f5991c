// The wire format: frames, the divider rule and the reset handshake.
#include <gtest/gtest.h>

#include "LinkFixture.h"
#include "procedures/InterfaceCommands.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
Bytes wire(const Frame& frame) { return {frame.bytes().begin(), frame.bytes().end()}; }

static_assert(bits("11111100") == 0xFC);
static_assert(bits("00100001") == 0x21);
static_assert(bits("10000000") == 0x80);

TEST(Frames, AddressGoesHighByteFirstCutTo16Bits)
{
    const std::vector<std::pair<Frame, Bytes>> cases = {
        {readByteFrame(0x0114), {'C', 0x01, 0x14}},
        {readByteFrame(0x000F), {'C', 0x00, 0x0F}},
        {readWordFrame(0x1FFFE), {'L', 0xFF, 0xFE}},
        {writeByteFrame(0x0012, 0x21), {'z', 0x00, 0x12, 0x21}},
        {writeWordFrame(0x0C00, 0xAA, 0x55), {'s', 0x0C, 0x00, 0xAA, 0x55}},
        {setDividerFrame(0x02), {'U', 0x02}},
        {startFrame(), {'R'}},
    };
    for (const auto& [frame, expected] : cases)
        EXPECT_EQ(wire(frame), expected);
}

TEST(ClockDivider, OnlyTheCrystalBitsFollowTheLastChoice)
{
    struct Step {
        std::uint8_t before;
        int crystalMHz;
        std::uint8_t after;
    };
    const Step steps[] = {
        {0x00, 4, 0x01}, {0x01, 8, 0x02}, // 8MHz after 4MHz: 0x02, not 0x03
        {0x02, 16, 0x00}, {0x02, 4, 0x01}, {0xF1, 8, 0xF2}, {0x02, 0, 0x02}, // 0: "Auto" keeps the divider
    };
    for (const Step& s : steps)
        EXPECT_EQ(dividerForCrystal(s.before, s.crystalMHz), s.after) << int(s.before) << " " << s.crystalMHz;
}

class Greeting : public LinkFixture {
protected:
    // The interface answers every reset with these bytes, starting 2 ms after
    // RTS is released and `spacingMs` apart.
    void answerResetWith(Bytes greeting, std::uint64_t spacingMs = 0)
    {
        port->onRtsReleased = [this, greeting, spacingMs] {
            port->bytesAt(clock.nowUs() + 2 * MS, greeting, spacingMs * MS);
        };
    }
    std::vector<std::pair<double, Bytes>> writes()
    {
        std::vector<std::pair<double, Bytes>> found;
        for (const auto& w : port->eventsOf(ScriptedPort::Event::Write))
            found.emplace_back(double(w.us - t0) / MS, w.bytes);
        return found;
    }
    double msOf(ScriptedPort::Event::Kind kind, std::size_t index = 0)
    {
        return double(port->eventsOf(kind).at(index).us - t0) / MS;
    }
};

TEST_F(Greeting, GoodGreetingIsAnsweredWithStartAndTheDivider)
{
    link.setClockDivider(dividerForCrystal(dividerForCrystal(0x00, 4), 8));
    answerResetWith({'p', 'a', 'w', 'w'}, 50);

    EXPECT_TRUE(greetInterface(link));
    EXPECT_EQ(msOf(ScriptedPort::Event::RtsOn), 0);
    EXPECT_EQ(msOf(ScriptedPort::Event::RtsOff), 200);
    // Greeting bytes at 202, 252, 302 and 352 ms; 'R' only after the last one.
    EXPECT_EQ(writes(), (std::vector<std::pair<double, Bytes>>{{352, {'R'}}, {362, {'U', 0x02}}}));
    EXPECT_EQ(link.connectionState(), 1);
    EXPECT_TRUE(port->eventsOf(ScriptedPort::Event::Purge).empty());
}

TEST_F(Greeting, WrongFourthByteFailsAfterThreeGoodOnes)
{
    answerResetWith({'p', 'a', 'w', 'x', 'w'});
    EXPECT_FALSE(greetInterface(link));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(msOf(ScriptedPort::Event::Purge), 210 + 30) << "flushed at once after the wrong byte";
    EXPECT_EQ(observer.events, std::vector<std::string>{}) << "a wrong byte is no time-out";
}

TEST_F(Greeting, MissingGreetingFailsAfter300MsAtTheFirstByte)
{
    link.setConnectionState(1);
    EXPECT_FALSE(greetInterface(link));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(msOf(ScriptedPort::Event::Purge), 210 + 300 + 30);
    EXPECT_EQ(link.connectionState(), -1);
    EXPECT_EQ(observer.events, std::vector<std::string>{"lost"});
}

} // namespace
