// Whole EEPROMs through the window: a buffer of random bytes written with the
// write button and read back with the read button, on both families and every
// crystal. The simulated EEPROM must end equal to the buffer, without a red
// cell or a failure, and the read must bring the same bytes back.
#include <chrono>

#include <wx/bmpbuttn.h>

#include "TargetSupport.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

struct RoundTrip {
    const char* model;
    int mhz;
    const char* start; // the start field after connecting
    std::size_t count;
};

std::string crystalLabel(int mhz) { return std::to_string(mhz) + "MHz"; }

class TargetRoundTrip : public testing::TestWithParam<RoundTrip> {};

} // namespace

TEST_P(TargetRoundTrip, RandomBufferWrittenAndReadBack)
{
    const RoundTrip& c = GetParam();
    auto [frame, board] = connectFreshBoard(c.model, c.mhz, crystalLabel(c.mhz));
    ASSERT_EQ(frame.startField->GetValue(), c.start);
    ASSERT_EQ(frame.countField->GetValue(), std::to_string(c.count));

    const std::vector<std::uint8_t> contents = randomBytes(c.count, unsigned(c.mhz * 1000 + c.count));
    for (std::size_t k = 0; k < c.count; ++k)
        shownGrid(frame).setByte(k, contents[k]);

    using namespace std::chrono;
    const auto begin = steady_clock::now();
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.writeButton);
    }
    const auto written = steady_clock::now();
    EXPECT_EQ(eepromBytes(*board, c.count), contents);
    for (std::size_t k = 0; k < c.count; ++k)
        ASSERT_FALSE(shownGrid(frame).isRed(k)) << k;
    EXPECT_EQ(statusText(frame, 0), "Zapisano  " + std::to_string(c.count) + "  bajtów.");
    EXPECT_EQ(statusText(frame, 1), "");
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_TRUE(board->trace().notes().empty()) << board->trace().dump();

    {
        ScriptedBoxes noBoxes;
        clickButton(frame.readButton);
    }
    const auto read = steady_clock::now();
    EXPECT_EQ(bufferBytes(frame, c.count), contents);
    EXPECT_EQ(statusText(frame, 0), "Przeczytano  " + std::to_string(c.count) + "  bajtów.");
    // Real time taken, for whoever watches the suite's pace.
    RecordProperty("write_ms", int(duration_cast<milliseconds>(written - begin).count()));
    RecordProperty("read_ms", int(duration_cast<milliseconds>(read - written).count()));
}

INSTANTIATE_TEST_SUITE_P(, TargetRoundTrip,
                         testing::Values(RoundTrip{"HC912Dx128x", 16, "0800", 2048},
                                         RoundTrip{"HC912Dx128x", 8, "0800", 2048},
                                         RoundTrip{"HC912Dx128x", 4, "0800", 2048},
                                         RoundTrip{"MC9S12DT128", 16, "2000", 2048},
                                         RoundTrip{"MC9S12DT128", 8, "2000", 2048},
                                         RoundTrip{"MC9S12DT128", 4, "2000", 2048},
                                         RoundTrip{"HC12B", 16, "0D00", 768},
                                         RoundTrip{"HC812A4", 16, "F000", 4096}),
                         [](const testing::TestParamInfo<RoundTrip>& info) {
                             std::string name = info.param.model;
                             name += "_" + std::to_string(info.param.mhz) + "MHz";
                             return name;
                         });
