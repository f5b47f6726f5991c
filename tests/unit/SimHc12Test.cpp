// The simulated HC12 EEPROM module: EEPROG latch, program and erase rules, the
// programming pulse timed by the PC's pauses, block protection and EEDIV.
#include "SimTestSupport.h"

#include "sim/Hc12EepromModule.h"

namespace {

constexpr std::uint16_t EEPROG = 0x00F3;

// A connected HC12 board whose EEPROM blocks are unprotected, as the write
// command's set-up leaves it.
struct Hc12Bench : SimBench {
    explicit Hc12Bench(const std::string& model = "HC12B", int crystalMHz = 16, SimFaults faults = {})
        : SimBench(model, crystalMHz, std::move(faults))
    {
        resetForCrystal();
        writeByte(0x0012, 0x01); // INITEE
        writeByte(0x00F0, 0xFC); // EEMCR
        writeByte(0x00F1, 0x00); // EEPROT: no block protected
    }

    void setDivider(std::uint16_t divider)
    {
        writeByte(0x00EE, std::uint8_t(divider >> 8));
        writeByte(0x00EF, std::uint8_t(divider));
    }

    // The write command's erase of one word.
    void eraseWord(std::uint16_t address)
    {
        writeByte(EEPROG, 0xB6);
        writeWord(address, 0xFF, 0xFF);
        writeByte(EEPROG, 0xB7);
        writeByte(EEPROG, 0xB6);
        writeByte(EEPROG, 0x80, 20);
    }

    // The write command's programming of one word, with the given pulse.
    void programWord(std::uint16_t address, std::uint8_t first, std::uint8_t second, std::uint32_t pulseMs = 10)
    {
        writeByte(EEPROG, 0x82);
        writeWord(address, first, second);
        writeByte(EEPROG, 0x83, pulseMs);
        writeByte(EEPROG, 0x82);
        writeByte(EEPROG, 0x80);
    }

    std::vector<std::optional<std::uint8_t>> readWord(std::uint16_t address)
    {
        send({'L', std::uint8_t(address >> 8), std::uint8_t(address)});
        auto first = receive();
        return {first, receive()};
    }

    std::uint8_t& cell(std::uint16_t address) { return board->eeprom()[address - board->part().eepromStart]; }
};

using Word = std::vector<std::optional<std::uint8_t>>;

TEST(SimHc12, WordWriteSucceedsOnEveryPartWithTheWriteCommandsSequence)
{
    struct Case {
        const char* model;
        int crystalMHz;
        std::optional<std::uint16_t> eepromDivider;
    };
    const Case cases[] = {
        {"HC12B", 16, {}},           {"HC812A4", 8, {}},           {"HC(9)12D60", 4, {}},
        {"HC912D60x", 16, 0x0230},   {"HC912D60x", 8, 0x0118},     {"HC912D60x", 4, 0x008C},
        {"HC912Dx128x", 16, 0x0230}, {"HC912Dx128x", 8, 0x0118},   {"HC912Dx128x", 4, 0x008C},
    };
    for (const auto& c : cases) {
        Hc12Bench bench(c.model, c.crystalMHz);
        if (c.eepromDivider)
            bench.setDivider(*c.eepromDivider);
        const std::uint16_t address = bench.board->part().eepromStart + 0x10;
        bench.cell(address) = 0x00; // the erase must bring it back
        bench.eraseWord(address);
        bench.programWord(address, 0x5A, 0xC3);
        EXPECT_EQ(bench.readWord(address), (Word{0x5A, 0xC3})) << c.model << " " << c.crystalMHz << " MHz\n"
                                                                << bench.board->trace().dump();
        EXPECT_TRUE(bench.board->trace().notes().empty()) << c.model << "\n" << bench.board->trace().dump();
    }
}

TEST(SimHc12, TheWriteSequenceIsTracedPauseByPause)
{
    Hc12Bench bench;
    bench.board->trace().clear();
    bench.eraseWord(0x0D00);
    bench.programWord(0x0D00, 0x12, 0x34);
    const std::vector<std::string> expected{
        "10 z 00 F3 B6", "10 s 0D 00 FF FF", "10 z 00 F3 B7", "10 z 00 F3 B6", "10 z 00 F3 80",
        "20 z 00 F3 82", "10 s 0D 00 12 34", "10 z 00 F3 83", "10 z 00 F3 82", "10 z 00 F3 80",
    };
    EXPECT_EQ(bench.board->trace().framesWithPauses(), expected);
}

TEST(SimHc12, ProgrammingOnlyClearsBits)
{
    Hc12Bench bench;
    bench.cell(0x0D20) = 0xF0;
    bench.cell(0x0D21) = 0x0F;
    bench.programWord(0x0D20, 0x3C, 0xFF);
    EXPECT_EQ(bench.readWord(0x0D20), (Word{0x30, 0x0F}));
}

TEST(SimHc12, EraseModes)
{
    struct Case {
        const char* what;
        std::uint8_t eeprog; // without EEPGM
        std::vector<std::uint16_t> erased; // offsets expected 0xFF afterwards
        bool wholeArray;
    };
    const Case cases[] = {
        {"byte/word", 0xB6, {0x42, 0x43}, false},
        {"row of 32 bytes", 0x0E, {}, false},
        {"bulk", 0x06, {}, true},
        {"bulk refused with BULKP", 0x86, {}, false},
    };
    for (const auto& c : cases) {
        Hc12Bench bench;
        auto& cells = bench.board->eeprom();
        std::fill(cells.begin(), cells.end(), 0x00);
        bench.writeByte(EEPROG, c.eeprog);
        bench.writeWord(0x0D42, 0xFF, 0xFF);
        bench.writeByte(EEPROG, c.eeprog | 0x01);
        bench.writeByte(EEPROG, c.eeprog);
        bench.writeByte(EEPROG, 0x00);
        std::vector<std::uint16_t> expected = c.erased;
        if (c.eeprog == 0x0E)
            for (std::uint16_t i = 0x40; i < 0x60; ++i)
                expected.push_back(i);
        std::vector<std::uint16_t> erased;
        for (std::uint16_t i = 0; i < cells.size(); ++i)
            if (cells[i] == 0xFF)
                erased.push_back(i);
        if (c.wholeArray) {
            EXPECT_EQ(erased.size(), cells.size()) << c.what;
        } else {
            EXPECT_EQ(erased, expected) << c.what;
        }
    }
}

TEST(SimHc12, ProgrammingPulseMustLastTenMilliseconds)
{
    for (const std::uint32_t pulseMs : {9u, 10u, 11u}) {
        Hc12Bench bench;
        bench.programWord(0x0D00, 0x00, 0x00, pulseMs);
        const std::uint8_t expected = pulseMs >= 10 ? 0x00 : 0xFF;
        EXPECT_EQ(bench.readWord(0x0D00), (Word{expected, expected})) << pulseMs << " ms";
        const std::vector<std::string> shortPulse{"EEPGM pulse of 9000 us too short, nothing applied"};
        EXPECT_EQ(bench.board->trace().notes(), pulseMs < 10 ? shortPulse : std::vector<std::string>{});
    }
}

TEST(SimHc12, EepgmNeedsEelatFirstAndArrayWritesNeedEelat)
{
    Hc12Bench bench;
    bench.writeWord(0x0D00, 0x00, 0x00); // EELAT 0: ignored
    bench.writeByte(EEPROG, 0x03);       // EEPGM with EELAT in one write: EELAT only
    EXPECT_EQ(bench.readByte(EEPROG), 0x02);
    bench.writeByte(EEPROG, 0x02);
    bench.writeByte(EEPROG, 0x00);
    bench.writeByte(EEPROG, 0x80);
    EXPECT_EQ(bench.readWord(0x0D00), (Word{0xFF, 0xFF}));
}

TEST(SimHc12, ArrayReadsZeroWhileLatched)
{
    Hc12Bench bench;
    bench.cell(0x0D10) = 0xA5;
    bench.writeByte(EEPROG, 0x02);
    EXPECT_EQ(bench.readByte(0x0D10), 0x00);
    bench.writeByte(EEPROG, 0x00);
    EXPECT_EQ(bench.readByte(0x0D10), 0xA5);
}

TEST(SimHc12, ProtectedBlocksKeepTheirContents)
{
    // HC12B: BPROT0 covers the top 64 bytes, 0x0FC0 to 0x0FFF.
    Hc12Bench bench;
    bench.writeByte(0x00F1, 0x01);
    bench.programWord(0x0FBE, 0x11, 0x22);
    bench.programWord(0x0FC0, 0x11, 0x22);
    EXPECT_EQ(bench.readWord(0x0FBE), (Word{0x11, 0x22}));
    EXPECT_EQ(bench.readWord(0x0FC0), (Word{0xFF, 0xFF}));

    SimFaults locked;
    locked.eeprotLocked = true; // PROTLCK set before the program runs: EEPROT stays 0xFF
    Hc12Bench lockedBench("HC12B", 16, locked);
    EXPECT_EQ(lockedBench.readByte(0x00F1), 0xFF);
    lockedBench.programWord(0x0D00, 0x11, 0x22);
    EXPECT_EQ(lockedBench.readWord(0x0D00), (Word{0xFF, 0xFF}));
}

TEST(SimHc12, CellsThatNeverProgram)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {0x0001};
    Hc12Bench bench("HC12B", 16, faults);
    bench.programWord(0x0D00, 0x12, 0x34);
    EXPECT_EQ(bench.readWord(0x0D00), (Word{0x12, 0xFF}));
}

TEST(SimHc12, EepromDividerGatesProgramAndErase)
{
    struct Case {
        const char* model;
        int crystalMHz;
        std::uint16_t divider;
        bool applies;
    };
    const Case cases[] = {
        {"HC912D60x", 16, 0x0000, false},   {"HC912Dx128x", 16, 0x0000, false},
        {"HC912D60x", 16, 0x0230, true},    {"HC912D60x", 16, 616, true},   // 10 % over
        {"HC912D60x", 16, 617, false},      {"HC912D60x", 16, 503, false},  // just over 10 % under
        {"HC912D60x", 8, 0x008C, false},    {"HC912Dx128x", 8, 0x008C, false},
        {"HC912Dx128x", 8, 0x0118, true},   {"HC912Dx128x", 4, 0x008C, true},
        {"HC912Dx128x", 4, 0x0230, false},
    };
    for (const auto& c : cases) {
        Hc12Bench bench(c.model, c.crystalMHz);
        if (c.divider)
            bench.setDivider(c.divider);
        const std::uint16_t address = bench.board->part().eepromStart;
        bench.programWord(address, 0x00, 0x00);
        const std::uint8_t expected = c.applies ? 0x00 : 0xFF;
        EXPECT_EQ(bench.readWord(address), (Word{expected, expected})) << c.model << " " << c.crystalMHz << " MHz "
                                                                       << c.divider;
        EXPECT_EQ(bench.board->trace().notes().empty(), c.applies) << c.model << " " << c.divider;
    }
}

} // namespace
