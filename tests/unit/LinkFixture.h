// A serial link on the virtual clock with one scripted port chosen as COM1.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedPort.h"
#include "serial/SerialLink.h"

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture()
    {
        auto owned = std::make_unique<ScriptedPort>(clock);
        port = owned.get();
        opener.offer("COM1", std::move(owned), "/dev/ttyUSB0");
        link.openPort("COM1");
        port->log.clear();
        t0 = clock.nowUs();
    }

    // Virtual milliseconds since the test began.
    double elapsedMs() { return double(clock.nowUs() - t0) / MS; }

    VirtualClock clock;
    ScriptedOpener opener;
    RecordingObserver observer;
    SerialLink link{clock, opener, observer};
    ScriptedPort* port = nullptr;
    std::uint64_t t0 = 0;
};
