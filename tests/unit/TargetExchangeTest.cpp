// The connect, read and write commands on the wire, frame by frame and pause by
// pause, against simulated boards on the virtual clock; and what the window
// shows for each.
#include <gtest/gtest.h>

#include "ExpectedExchanges.h"
#include "TargetFakes.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"

namespace {

using Status = std::pair<int, std::string>;

const std::string CONNECTING = "Łączenie...";
const std::string RESET = "Reset.";

} // namespace

TEST(TargetConnectExchange, Mc9s12WithEightMegahertzChosenBeforehand)
{
    TargetRig rig("MC9S12DT128", 8);
    rig.window.crystal = "8MHz";
    selectCrystal(rig.session);
    const auto mark = rig.mark();
    connectTarget(rig.session);

    EXPECT_EQ(rig.exchange(mark), expected::CONNECT_MC9S12_8MHZ) << rig.board->trace().dump();
    EXPECT_EQ(quietAtEndMs(rig.board->trace(), rig.clock.nowUs()), 30u); // the closing flush
    ASSERT_EQ(rig.window.boxes.size(), 1u);
    EXPECT_EQ(rig.window.boxes[0].text, "RAM: 8 KB  EEPROM: 2 KB  Początek: 0x2000");
    EXPECT_EQ(rig.window.boxes[0].caption, "Parametry");
    EXPECT_EQ(rig.window.boxes[0].icon, BoxIcon::None);
    EXPECT_EQ(rig.window.statusHistory, (std::vector<Status>{{3, CONNECTING}, {3, RESET}, {3, NOT_CONNECTED},
                                                             {3, CONNECTED}, {3, CONNECTED}}));
    EXPECT_EQ(rig.buffer.start, 0x2000);
    EXPECT_EQ(rig.buffer.count, 2048u);
    EXPECT_EQ(rig.currentModel.eepromStart, 0x2000u);
    EXPECT_TRUE(rig.mc9s12Mode);
    EXPECT_TRUE(rig.window.commandsEnabled);
    EXPECT_FALSE(rig.window.selectionEnabled);
    EXPECT_EQ(rig.link.connectionState(), 1);
    EXPECT_EQ(rig.crystalMHz, 8);
    EXPECT_TRUE(rig.window.crystalItems.empty()); // no detection with a fixed crystal
    EXPECT_LT(rig.msSince(mark), 400u);
}

TEST(TargetConnectExchange, HcTwelveConnectKeepsTheSelectionBoxUsable)
{
    TargetRig rig("HC12B", 16);
    rig.window.selection = true;
    rig.connectWith("16MHz");
    EXPECT_EQ(rig.link.connectionState(), 1);
    EXPECT_FALSE(rig.mc9s12Mode);
    EXPECT_TRUE(rig.window.selectionEnabled);
    EXPECT_TRUE(rig.window.selection);
}

namespace {

struct AutoCase {
    const char* name;
    int boardMHz;
    bool neverZero; // the second probe of every attempt answers 0x55
    expected::Exchange attempts;
    std::vector<int> items;
    const char* finalItem;
    std::uint8_t divider;
    bool warning;
};

class TargetAutoCrystal : public testing::TestWithParam<AutoCase> {};

} // namespace

TEST_P(TargetAutoCrystal, TriesTheCrystalsInOrderUntilTheProbeReadsZero)
{
    const AutoCase c = GetParam();
    SimFaults faults;
    if (c.neverZero) // answers: greeting 0-3, probe 4, then per attempt a greeting and two probes
        faults.changedAnswerBytes = {{10, 0x55}, {16, 0x55}, {22, 0x55}};
    TargetRig rig("HC12B", c.boardMHz, faults);
    const auto mark = rig.mark();
    connectTarget(rig.session);

    const expected::Exchange wanted =
        expected::join({expected::resetWithDivider("30", "00"), {"0 C 00 0F"}, c.attempts});
    EXPECT_EQ(rig.exchange(mark), wanted);
    EXPECT_EQ(rig.window.crystalItems, c.items);
    EXPECT_EQ(rig.window.crystal, c.finalItem);
    EXPECT_EQ(rig.link.clockDivider(), c.divider);
    std::vector<std::string> warnings;
    for (const auto& box : rig.window.boxes)
        if (box.caption == "Ostrzeżenie" && box.icon == BoxIcon::Warning)
            warnings.push_back(box.text);
    EXPECT_EQ(warnings, c.warning ? std::vector<std::string>{"Nie moge rozpoznać kwarcu! Wybierz go ręcznie"}
                                  : std::vector<std::string>{});
    EXPECT_EQ(rig.window.boxes.size(), warnings.size());
    EXPECT_EQ(rig.link.connectionState(), 1);
    EXPECT_EQ(rig.window.statusFields[3], CONNECTED);
    EXPECT_TRUE(rig.window.commandsEnabled);
    EXPECT_LT(rig.msSince(mark), 2000u);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, TargetAutoCrystal,
    testing::Values(
        AutoCase{"Answers16", 16, false, expected::detectionAttempt("00", "00"), {1}, "16MHz", 0x00, false},
        AutoCase{"Answers8", 8, false, expected::join({expected::detectionAttempt("00", "00"), expected::detectionAttempt("00", "02")}),
                 {1, 2}, "8MHz", 0x02, false},
        AutoCase{"Answers4", 4, false,
                 expected::join({expected::detectionAttempt("00", "00"), expected::detectionAttempt("00", "02"),
                                 expected::detectionAttempt("02", "01")}),
                 {1, 2, 3}, "4MHz", 0x01, false},
        AutoCase{"NeverZero", 16, true,
                 expected::join({expected::detectionAttempt("00", "00"), expected::detectionAttempt("00", "02"),
                                 expected::detectionAttempt("02", "01")}),
                 {1, 2, 3}, "4MHz", 0x01, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TargetConnectExchange, AutoOnSixteenMegahertzMatchesTheTable)
{
    TargetRig rig("HC912Dx128x", 16);
    const auto mark = rig.mark();
    connectTarget(rig.session);
    EXPECT_EQ(rig.exchange(mark), expected::CONNECT_AUTO_16MHZ);
}

TEST(TargetConnectExchange, PlaceholderModelSendsNothing)
{
    TargetRig rig("HC12B", 16);
    rig.currentModel = modelTable()[0];
    connectTarget(rig.session);
    EXPECT_TRUE(rig.board->trace().entries().empty());
    expectOnlyBox(rig.window, "Wybierz model mikrokontrolera!", "Ostrzeżenie", BoxIcon::Warning);
    EXPECT_TRUE(rig.window.statusHistory.empty());
}

TEST(TargetConnectExchange, MonitorPageGetsANewBufferFirst)
{
    TargetRig rig("HC12B", 16);
    rig.window.pageTitle = "Monitor";
    rig.connectWith("16MHz");
    EXPECT_EQ(rig.window.pagesOpened, 1);
    EXPECT_EQ(rig.link.connectionState(), 1);

    TargetRig full("HC12B", 16);
    full.window.pageTitle = "Monitor";
    full.window.pageCanOpen = false;
    connectTarget(full.session);
    EXPECT_TRUE(full.board->trace().entries().empty());
    expectOnlyBox(full.window, "Usnuń jedną z zakładek", "Ostrzeżenie", BoxIcon::Warning);

    TargetRig named("HC12B", 16); // only the exact title counts
    named.window.pageTitle = "Monitor1";
    named.connectWith("16MHz");
    EXPECT_EQ(named.window.pagesOpened, 0);
}

TEST(TargetConnectExchange, WithoutAPortConnectOpensComOne)
{
    TargetRig rig("HC12B", 16, {}, false);
    rig.connectWith("16MHz");
    EXPECT_EQ(rig.window.portOpenings, 1);
    EXPECT_EQ(rig.link.connectionState(), 1);
}

TEST(TargetConnectExchange, AnUnusablePortStopsSilentlyAndDisconnected)
{
    TargetRig rig("HC12B", 16, {}, false);
    rig.ports.fails = true;
    connectTarget(rig.session);
    EXPECT_EQ(rig.window.portOpenings, 1);
    EXPECT_TRUE(rig.board->trace().entries().empty());
    EXPECT_TRUE(rig.window.boxes.empty()); // the port's own box is the window's
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
    EXPECT_EQ(rig.link.connectionState(), -1);
}

TEST(TargetReadExchange, OddCountIsRoundedUpAndEveryWordReadTwice)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.fillEeprom(6, [](std::uint32_t k) { return 0xA0 + k; });
    rig.connectWith("16MHz");
    rig.buffer.count = 5;
    const auto mark = rig.mark();
    readEeprom(rig.session);

    EXPECT_EQ(rig.buffer.count, 6u);
    EXPECT_EQ(rig.exchange(mark), expected::READ_6_AT_0800);
    EXPECT_EQ(quietAtEndMs(rig.board->trace(), rig.clock.nowUs()), 31u); // flush after the last answer
    for (std::uint32_t k = 0; k < 6; ++k)
        EXPECT_EQ(rig.buffer.cells[k], std::uint8_t(0xA0 + k));
    EXPECT_TRUE(rig.buffer.red.empty());
    EXPECT_EQ(rig.window.statusHistory, (std::vector<Status>{{0, "Przeczytano  6  bajtów."}}));
    EXPECT_EQ(rig.window.progress,
              (std::vector<std::string>{"start 6", "step", "step", "step", "step", "step", "step", "finish"}));
    EXPECT_TRUE(rig.window.boxes.empty());
}

TEST(TargetReadExchange, OddStartMovesToTheNextWord)
{
    TargetRig rig("HC12B", 16);
    rig.connectWith("16MHz");
    rig.buffer.start = 0x0D01;
    rig.buffer.count = 4;
    const auto mark = rig.mark();
    readEeprom(rig.session);
    EXPECT_EQ(rig.buffer.start, 0x0D02);
    const auto lines = rig.exchange(mark);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "0 C 0D 02");
    EXPECT_EQ(lines[2], "0 L 0D 02");
    EXPECT_EQ(lines[4], "1 L 0D 04");
    EXPECT_EQ(rig.window.statusFields[0], "Przeczytano  4  bajty.");
}

TEST(TargetReadExchange, CountZeroSendsNothingAndLeavesTheStatus)
{
    for (auto command : {readEeprom, writeEeprom}) {
        TargetRig rig("HC12B", 16);
        rig.connectWith("16MHz");
        rig.buffer.count = 0;
        const auto mark = rig.mark();
        command(rig.session);
        EXPECT_TRUE(rig.exchange(mark).empty());
        EXPECT_TRUE(rig.window.statusHistory.empty());
        EXPECT_TRUE(rig.window.progress.empty());
        EXPECT_EQ(rig.buffer.gridsCreated, command == readEeprom ? 1 : 0); // reading rebuilds the grid empty
    }
}

TEST(TargetReadExchange, LongReadScrollsEvery512Bytes)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.connectWith("16MHz");
    readEeprom(rig.session);
    EXPECT_EQ(rig.buffer.scrolls, (std::vector<std::uint32_t>{512 / 14, 1024 / 14, 1536 / 14}));
    EXPECT_EQ(rig.window.statusFields[0], "Przeczytano  2048  bajtów.");
}

namespace {

struct HcWordCase {
    const char* name;
    const char* model;
    int mhz;
    expected::Exchange exchange;
};

class TargetHc12WordExchange : public testing::TestWithParam<HcWordCase> {};

expected::Exchange withEedivForCrystal(const char* divider, const expected::Exchange& eediv, const char* address)
{
    return expected::join({expected::hc12SetUp(divider), eediv, expected::hc12Word("60", address, "12 34")});
}

} // namespace

TEST_P(TargetHc12WordExchange, EveryRegisterWriteAndPauseOfOneWord)
{
    const HcWordCase c = GetParam();
    TargetRig rig(c.model, c.mhz);
    rig.connectWith(c.mhz == 16 ? "16MHz" : c.mhz == 8 ? "8MHz" : "4MHz");
    rig.fillBuffer(2, [](std::uint32_t k) { return k == 0 ? 0x12 : 0x34; });
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    EXPECT_EQ(rig.exchange(mark), c.exchange) << rig.board->trace().dump();
    EXPECT_EQ(quietAtEndMs(rig.board->trace(), rig.clock.nowUs()), 31u); // flush after the verify
    EXPECT_EQ(rig.board->eeprom()[0], 0x12);
    EXPECT_EQ(rig.board->eeprom()[1], 0x34);
    EXPECT_TRUE(rig.board->trace().notes().empty()) << rig.board->trace().dump();
    EXPECT_EQ(rig.window.statusHistory, (std::vector<Status>{{0, "Zapisano  2  bajty."}}));
    EXPECT_EQ(rig.window.progress, (std::vector<std::string>{"start 2", "step", "finish"}));
    EXPECT_TRUE(rig.window.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Models, TargetHc12WordExchange,
    testing::Values(HcWordCase{"Dx128x16MHz", "HC912Dx128x", 16, expected::WRITE_HC912DX128X_16MHZ_ONE_WORD},
                    HcWordCase{"Dx128x8MHz", "HC912Dx128x", 8, withEedivForCrystal("02", expected::EEDIV_8MHZ, "08 00")},
                    HcWordCase{"D60x4MHz", "HC912D60x", 4, withEedivForCrystal("01", expected::EEDIV_4MHZ, "0C 00")},
                    HcWordCase{"HC9_12D60NoEediv", "HC(9)12D60", 16, expected::WRITE_HC9_12D60_ONE_WORD}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TargetMc9s12WordExchange, EveryRegisterWriteAndPauseOfOneWord)
{
    TargetRig rig("MC9S12DT128", 8);
    rig.connectWith("8MHz");
    rig.fillBuffer(2, [](std::uint32_t k) { return k == 0 ? 0x12 : 0x34; });
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    EXPECT_EQ(rig.exchange(mark), expected::WRITE_MC9S12_8MHZ_ONE_WORD) << rig.board->trace().dump();
    EXPECT_EQ(rig.board->eeprom()[0], 0x12);
    EXPECT_EQ(rig.board->eeprom()[1], 0x34);
    EXPECT_EQ(rig.board->eeprom()[2], 0xFF); // mass-erased
    EXPECT_TRUE(rig.board->trace().notes().empty()) << rig.board->trace().dump();
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  2  bajty.");
    EXPECT_TRUE(rig.window.boxes.empty());
}

TEST(TargetMc9s12WordExchange, EclkdivFollowsTheCrystal)
{
    for (const auto& [mhz, item, line] : {std::tuple{16, "16MHz", "0 z 01 10 4A"}, std::tuple{4, "4MHz", "0 z 01 10 15"}}) {
        TargetRig rig("MC9S12DBx", mhz);
        rig.connectWith(item);
        rig.fillBuffer(2, [](std::uint32_t) { return 0x00; });
        const auto mark = rig.mark();
        writeEeprom(rig.session);
        EXPECT_EQ(rig.exchange(mark).at(5), line);
        EXPECT_TRUE(rig.window.boxes.empty()) << rig.window.boxes.front().text;
    }
}

TEST(TargetConnectExchange, ParameterBoxFollowsTheMemorySizeRegister)
{
    const std::tuple<std::uint8_t, const char*, std::uint32_t> cases[] = {
        {0x37, "RAM: 16 KB  EEPROM: 8 KB  Początek: 0x2000", 8192},
        {0x27, "RAM: 16 KB  EEPROM: 4 KB  Początek: 0x2000", 4096},
        {0x23, "RAM: 8 KB  EEPROM: 4 KB  Początek: 0x2000", 4096},
        {0x00, "RAM: 2 KB  EEPROM: 0 KB  Początek: 0x2000", 0},
    };
    for (const auto& [memsiz, text, count] : cases) {
        SimFaults faults;
        faults.changedAnswerBytes[5] = memsiz; // after the greeting and the probe
        TargetRig rig("MC9S12DBx", 16, faults);
        rig.window.crystal = "16MHz";
        connectTarget(rig.session);
        expectOnlyBox(rig.window, text, "Parametry", BoxIcon::None);
        EXPECT_EQ(rig.buffer.count, count);
    }
}

TEST(TargetConnectExchange, CrystalChoiceSendsOnlyItsDividerBits)
{
    TargetRig rig("HC12B", 4);
    const auto mark = rig.mark();
    for (const char* item : {"4MHz", "8MHz", "Auto", "16MHz"}) {
        rig.window.crystal = item;
        selectCrystal(rig.session);
    }
    EXPECT_EQ(rig.exchange(mark), (std::vector<std::string>{"0 U 01", "0 U 02", "0 U 00"})); // "Auto" sends nothing
    EXPECT_EQ(rig.crystalMHz, 16);

    TargetRig unopened("HC12B", 8, {}, false); // no port yet: the next reset sends it
    unopened.window.crystal = "8MHz";
    selectCrystal(unopened.session);
    EXPECT_EQ(unopened.link.clockDivider(), 0x02);
    EXPECT_EQ(unopened.crystalMHz, 8);
    const auto connectMark = unopened.mark();
    connectTarget(unopened.session);
    EXPECT_EQ(unopened.exchange(connectMark).at(3), "10 U 02");
    EXPECT_EQ(unopened.link.connectionState(), 1);
}
