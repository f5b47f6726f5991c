// Choosing ports: each is opened once per run, failures included, and every
// choice of an open port puts its line settings back.
#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "serial/SerialLink.h"

namespace {

// A scripted port that tells when it has been closed.
class WatchedPort : public ScriptedPort {
public:
    WatchedPort(VirtualClock& clock, bool& closed) : ScriptedPort(clock), closed_(closed) {}
    ~WatchedPort() override { closed_ = true; }

private:
    bool& closed_;
};

class ChoosingPorts : public ::testing::Test {
protected:
    WatchedPort* offer(const std::string& name, bool& closed)
    {
        auto port = std::make_unique<WatchedPort>(clock, closed);
        WatchedPort* raw = port.get();
        opener.offer(name, std::move(port), "/dev/tty" + name);
        return raw;
    }
    std::size_t writesTo(const ScriptedPort* port) { return port->eventsOf(ScriptedPort::Event::Write).size(); }
    std::size_t settingsOf(const ScriptedPort* port) { return port->eventsOf(ScriptedPort::Event::Settings).size(); }

    VirtualClock clock;
    ScriptedOpener opener;
    RecordingObserver observer;
    SerialLink link{clock, opener, observer};
    bool com1Closed = false;
    bool com2Closed = false;
};

TEST_F(ChoosingPorts, SecondChoiceReusesTheOpenPortAndReappliesItsSettings)
{
    EXPECT_FALSE(link.hasPort());
    WatchedPort* com1 = offer("COM1", com1Closed);
    WatchedPort* com2 = offer("COM2", com2Closed);

    EXPECT_TRUE(link.openPort("COM1").usable);
    EXPECT_TRUE(link.openPort("COM2").usable);
    EXPECT_FALSE(com1Closed) << "the previous port stays open";
    link.sendFrame({'R'});
    EXPECT_EQ(writesTo(com2), 1u);

    EXPECT_TRUE(link.openPort("COM1").usable);
    EXPECT_EQ(opener.opens["COM1"], 1);
    EXPECT_EQ(settingsOf(com1), 2u);
    link.sendFrame({'R'});
    EXPECT_EQ(writesTo(com1), 1u);
    EXPECT_EQ(writesTo(com2), 1u);
}

TEST_F(ChoosingPorts, FailedPortIsNotTriedAgainEvenWhenTheDeviceAppears)
{
    const auto first = link.openPort("COM3");
    EXPECT_FALSE(first.usable);
    EXPECT_TRUE(link.hasPort());
    EXPECT_FALSE(link.portUsable());

    offer("COM3", com1Closed); // plugged in meanwhile
    const auto again = link.openPort("COM3");
    EXPECT_EQ(opener.opens["COM3"], 1);
    EXPECT_FALSE(again.usable);
    EXPECT_EQ(again.failureText(), first.failureText());
    EXPECT_NE(again.failureText().find("/dev/missing: No such file or directory"), std::string::npos);
}

TEST_F(ChoosingPorts, AfterAFailedChoiceNothingGoesToThePreviousPort)
{
    WatchedPort* com1 = offer("COM1", com1Closed);
    link.openPort("COM1");
    EXPECT_FALSE(link.openPort("COM2").usable);
    link.sendFrame({'R'});
    link.setRts(true);
    EXPECT_EQ(writesTo(com1), 0u);
    EXPECT_TRUE(com1->eventsOf(ScriptedPort::Event::RtsOn).empty());
}

TEST_F(ChoosingPorts, ClosingAtExitClosesOnlyTheCurrentPort)
{
    offer("COM1", com1Closed);
    offer("COM2", com2Closed);
    link.openPort("COM1");
    link.openPort("COM2");
    link.closeCurrentPort();
    EXPECT_TRUE(com2Closed);
    EXPECT_FALSE(com1Closed);
    EXPECT_FALSE(link.hasPort());
}

} // namespace
