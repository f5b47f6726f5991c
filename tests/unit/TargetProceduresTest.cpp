// Connect, read and write against simulated boards, on the virtual clock.
#include <random>

#include <gtest/gtest.h>

#include "TargetFakes.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"

namespace {

std::vector<std::uint8_t> randomImage(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> image(size);
    for (auto& b : image)
        b = std::uint8_t(random());
    return image;
}

struct WholeJob {
    const char* model;
    int crystalMHz;
};

class TargetWholeJob : public testing::TestWithParam<WholeJob> {};

} // namespace

TEST_P(TargetWholeJob, EepromEndsEqualToTheBuffer)
{
    const WholeJob job = GetParam();
    TargetRig rig(job.model, job.crystalMHz);
    connectTarget(rig.session);
    ASSERT_EQ(rig.link.connectionState(), 1) << ::testing::PrintToString(rig.window.boxTexts());
    EXPECT_EQ(rig.crystalMHz, job.crystalMHz);

    const auto image = randomImage(rig.buffer.count, 7);
    for (std::size_t k = 0; k < image.size(); ++k)
        rig.buffer.setByte(std::uint32_t(k), image[k]);
    rig.window.boxes.clear();
    writeEeprom(rig.session);
    EXPECT_TRUE(rig.window.boxes.empty()) << rig.window.boxes.front().text;
    EXPECT_TRUE(rig.buffer.red.empty());
    EXPECT_EQ(rig.board->eeprom(), image);
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  " + std::to_string(image.size()) + "  bajtów.");

    readEeprom(rig.session);
    for (std::size_t k = 0; k < image.size(); ++k)
        ASSERT_EQ(rig.buffer.getByte(std::uint32_t(k)), image[k]) << k;
    EXPECT_TRUE(rig.buffer.red.empty());
}

INSTANTIATE_TEST_SUITE_P(Boards, TargetWholeJob,
                         testing::Values(WholeJob{"HC912Dx128x", 16}, WholeJob{"HC912Dx128x", 8},
                                         WholeJob{"HC912Dx128x", 4}, WholeJob{"MC9S12DT128", 16},
                                         WholeJob{"MC9S12DT128", 8}, WholeJob{"MC9S12DT128", 4},
                                         WholeJob{"HC12B", 16}, WholeJob{"HC812A4", 16}));
