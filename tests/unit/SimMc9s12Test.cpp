// The simulated MC9S12 EEPROM module: the command sequence with its ACCERR and
// PVIOL rules, CCIF timing, ECLKDIV, EPROT, INITEE mapping and MEMSIZ0.
#include "SimTestSupport.h"

#include "sim/Mc9s12EepromModule.h"

namespace {

constexpr std::uint16_t ECLKDIV = 0x0110;
constexpr std::uint16_t EPROT = 0x0114;
constexpr std::uint16_t ESTAT = 0x0115;
constexpr std::uint16_t ECMD = 0x0116;
constexpr std::uint16_t BASE = 0x0800; // INITEE's reset value 0x09

using Word = std::vector<std::optional<std::uint8_t>>;

struct S12Bench : SimBench {
    explicit S12Bench(int crystalMHz = 16, SimFaults faults = {}, const std::string& model = "MC9S12DT128")
        : SimBench(model, crystalMHz, std::move(faults))
    {
        resetForCrystal();
    }

    // The write command's set-up: EPROT, then ECLKDIV with the given value.
    void setUp(std::uint8_t eclkdiv)
    {
        readByte(0x0012);
        writeByte(EPROT, 0xFF);
        readByte(EPROT);
        readByte(ECLKDIV);
        writeByte(ECLKDIV, eclkdiv);
    }

    // Polls CCIF the way the write command does; gives up after 2 s.
    std::uint8_t waitForCcif()
    {
        for (int i = 0; i < 200; ++i) {
            clock.pause(10);
            const auto status = readByte(ESTAT);
            if (status && (*status & 0x40))
                return *status;
        }
        return 0;
    }

    std::uint8_t massErase(std::uint16_t start)
    {
        writeWord(start, 0xFF, 0xFF);
        writeByte(ECMD, 0x41);
        writeByte(ESTAT, 0xC1);
        waitForCcif();
        return readByte(ESTAT).value_or(0);
    }

    std::uint8_t programWord(std::uint16_t address, std::uint8_t first, std::uint8_t second)
    {
        writeWord(address, first, second);
        writeByte(ECMD, 0x20, 20);
        writeByte(ESTAT, 0x80);
        return waitForCcif();
    }

    Word readWord(std::uint16_t address)
    {
        send({'L', std::uint8_t(address >> 8), std::uint8_t(address)});
        auto first = receive();
        return {first, receive()};
    }

    std::string lastNote() const
    {
        const auto notes = board->trace().notes();
        return notes.empty() ? "" : notes.back();
    }
};

TEST(SimMc9s12, WriteCommandsSequenceSucceedsWithASuitableEclkdiv)
{
    struct Case {
        int crystalMHz;
        std::uint8_t eclkdiv;
    };
    for (const auto& c : {Case{16, 0x4A}, Case{8, 0x2B}, Case{4, 0x15}}) {
        S12Bench bench(c.crystalMHz);
        bench.writeByte(0x0012, 0x21); // connecting moves the EEPROM to 0x2000
        bench.board->eeprom()[0x20] = 0x00;
        bench.setUp(c.eclkdiv);
        EXPECT_EQ(bench.readByte(ECLKDIV), c.eclkdiv | 0x80);
        EXPECT_EQ(bench.readByte(ESTAT), 0xC1);
        EXPECT_EQ(bench.massErase(0x2000) & 0x30, 0) << c.crystalMHz << " MHz";
        EXPECT_EQ(bench.programWord(0x2020, 0x12, 0x34), 0xC1);
        EXPECT_EQ(bench.readWord(0x2020), (Word{0x12, 0x34})) << c.crystalMHz << " MHz\n"
                                                              << bench.board->trace().dump();
        EXPECT_TRUE(bench.board->trace().notes().empty()) << bench.board->trace().dump();
    }
}

TEST(SimMc9s12, AnEepromClockOutOfRangeEndsInAccerr)
{
    // 0x15 at 8 MHz gives 364 HZ; 0x4A at 4 MHz gives 45 HZ.
    struct Case {
        int crystalMHz;
        std::uint8_t eclkdiv;
        const char* fault;
    };
    const Case cases[] = {{8, 0x15, "timing fault: EEPROM clock 363636 Hz (ECLKDIV 0x95, 8 MHz)"},
                          {4, 0x4A, "timing fault: EEPROM clock 45454 Hz (ECLKDIV 0xCA, 4 MHz)"}};
    for (const auto& c : cases) {
        S12Bench bench(c.crystalMHz);
        bench.board->eeprom()[0] = 0x00;
        bench.setUp(c.eclkdiv);
        EXPECT_EQ(bench.massErase(BASE), 0xD1);
        EXPECT_EQ(bench.board->eeprom()[0], 0x00) << "nothing erased";
        const auto notes = bench.board->trace().notes();
        ASSERT_EQ(notes.size(), 2u);
        EXPECT_EQ(notes[0], c.fault);
        EXPECT_EQ(notes[1], "ACCERR: EEPROM clock out of range");
    }
}

TEST(SimMc9s12, CommandSequenceErrorsSetAccerrAndChangeNothing)
{
    struct Case {
        const char* cause;
        bool loadEclkdiv;
        void (*steps)(S12Bench&);
    };
    const Case cases[] = {
        {"array write before ECLKDIV was loaded", false, [](S12Bench& b) { b.writeWord(BASE, 0x00, 0x00); }},
        {"misaligned word write", true, [](S12Bench& b) { b.writeWord(BASE + 1, 0x00, 0x00); }},
        {"byte write to the array", true, [](S12Bench& b) { b.writeByte(BASE, 0x00); }},
        {"second array write before the command", true,
         [](S12Bench& b) {
             b.writeWord(BASE, 0x00, 0x00);
             b.writeWord(BASE + 2, 0x00, 0x00);
         }},
        {"unknown command", true,
         [](S12Bench& b) {
             b.writeWord(BASE, 0x00, 0x00);
             b.writeByte(ECMD, 0x60);
         }},
        {"command written before the array word", true, [](S12Bench& b) { b.writeByte(ECMD, 0x20); }},
        {"launch without array word and command", true, [](S12Bench& b) { b.writeByte(ESTAT, 0x80); }},
        {"launch without array word and command", true,
         [](S12Bench& b) {
             b.writeWord(BASE, 0x00, 0x00);
             b.writeByte(ESTAT, 0x80);
         }},
    };
    for (const auto& c : cases) {
        S12Bench bench;
        if (c.loadEclkdiv)
            bench.writeByte(ECLKDIV, 0x4A);
        c.steps(bench);
        bench.writeByte(ESTAT, 0x80); // a launch now must not run anything either
        EXPECT_EQ(bench.readByte(ESTAT), 0xD1) << c.cause;
        EXPECT_EQ(bench.board->trace().notes().at(0), std::string("ACCERR: ") + c.cause);
        EXPECT_EQ(bench.readWord(BASE), (Word{0xFF, 0xFF})) << c.cause;
        EXPECT_EQ(bench.readWord(BASE + 2), (Word{0xFF, 0xFF})) << c.cause;
        bench.writeByte(ESTAT, 0x30); // writing 1 clears the error flags
        EXPECT_EQ(bench.readByte(ESTAT), 0xC1) << c.cause;
    }
}

TEST(SimMc9s12, ProtectionViolations)
{
    struct Case {
        const char* what;
        std::uint8_t eprotAtReset;
        std::uint8_t command;
        std::uint16_t offset;
        bool violates;
    };
    const Case cases[] = {
        {"program in the top 256 bytes", 0xF3, 0x20, 0x07FE, true},
        {"program just below them", 0xF3, 0x20, 0x06FE, false},
        {"program the first protected word", 0xF3, 0x20, 0x0700, true},
        {"sector erase in the top 64 bytes", 0xF0, 0x40, 0x07C0, true},
        {"mass erase with a protected area", 0xF0, 0x41, 0x0000, true},
        {"mass erase unprotected", 0xFF, 0x41, 0x0000, false},
        {"program with EPOPEN clear", 0x7F, 0x20, 0x0000, true},
        {"mass erase with EPOPEN clear", 0x7F, 0x41, 0x0000, true},
    };
    for (const auto& c : cases) {
        SimFaults faults;
        faults.eprotAtReset = c.eprotAtReset;
        S12Bench bench(16, faults);
        auto& cells = bench.board->eeprom();
        std::fill(cells.begin(), cells.end(), 0x5A);
        bench.setUp(0x4A);
        bench.writeWord(BASE + c.offset, 0x00, 0x00);
        bench.writeByte(ECMD, c.command);
        bench.writeByte(ESTAT, 0x80);
        bench.clock.pause(200);
        EXPECT_EQ(bench.readByte(ESTAT), c.violates ? 0xE1 : 0xC1) << c.what;
        EXPECT_EQ(cells[c.offset], c.violates ? 0x5A : c.command == 0x20 ? 0x00 : 0xFF) << c.what;
    }
}

TEST(SimMc9s12, EprotWritesOnlyIncreaseProtection)
{
    struct Case {
        std::uint8_t atReset;
        std::vector<std::uint8_t> writes;
        std::uint8_t readBack;
    };
    const Case cases[] = {
        {0xFF, {0xFF}, 0xFF},       {0xFF, {0xF3}, 0xF3},       {0xFF, {0xF3, 0xFF}, 0xF3},
        {0xFF, {0xF3, 0xF0}, 0xF3}, {0xFF, {0x7F, 0xFF}, 0x7F}, {0x83, {0xFF}, 0x83},
    };
    for (const auto& c : cases) {
        SimFaults faults;
        faults.eprotAtReset = c.atReset;
        S12Bench bench(16, faults);
        for (const auto value : c.writes)
            bench.writeByte(EPROT, value);
        EXPECT_EQ(bench.readByte(EPROT), c.readBack) << int(c.atReset) << " then " << int(c.writes.back());
    }
}

TEST(SimMc9s12, CcifComesBackWhenTheCommandIsDone)
{
    struct Case {
        std::uint8_t command;
        std::uint64_t doneUs;
    };
    for (const auto& c : {Case{0x20, 46}, Case{0x40, 20'000}, Case{0x41, 100'000}}) {
        SimulatedBoard board(*findSimPart("MC9S12DBx"), 16, {});
        auto& memory = board.memory();
        const std::uint64_t t = 5'000'000;
        const AccessTime at{t, t};
        memory.writeByte(ECLKDIV, 0x4A, at);
        memory.writeWord(BASE + 4, 0x00, 0x00, at);
        memory.writeByte(ECMD, c.command, at);
        memory.writeByte(ESTAT, 0x80, at);
        EXPECT_EQ(memory.read(ESTAT, t + c.doneUs - 6), 0x01) << "CBEIF and CCIF clear while it runs";
        EXPECT_EQ(memory.read(ESTAT, t + c.doneUs - 1), 0x01);
        EXPECT_EQ(memory.read(ESTAT, t + c.doneUs), 0xC1) << int(c.command);
        EXPECT_EQ(board.eeprom()[4], c.command == 0x20 ? 0x00 : 0xFF);
    }
}

TEST(SimMc9s12, EclkdivIsWrittenOnceAfterReset)
{
    S12Bench bench;
    EXPECT_EQ(bench.readByte(ECLKDIV), 0x00);
    bench.writeByte(ECLKDIV, 0x4A);
    bench.writeByte(ECLKDIV, 0x15);
    EXPECT_EQ(bench.readByte(ECLKDIV), 0xCA);
    EXPECT_EQ(bench.lastNote(), "ECLKDIV already loaded, write ignored");
    bench.resetForCrystal();
    EXPECT_EQ(bench.board->peek(ECLKDIV), 0x00) << "a reset of the interface resets the target";
}

TEST(SimMc9s12, IniteeMovesTheEeprom)
{
    struct Case {
        std::uint8_t initee;
        std::optional<std::uint16_t> base;
    };
    for (const auto& c : {Case{0x09, 0x0800}, Case{0x21, 0x2000}, Case{0xF9, 0xF800}, Case{0x20, std::nullopt}}) {
        S12Bench bench;
        bench.board->eeprom()[0x0300] = 0xA7;
        bench.writeByte(0x0012, c.initee);
        EXPECT_EQ(bench.readByte(0x0012), c.initee);
        EXPECT_EQ(bench.readByte(0x0B00), c.base == 0x0800 ? 0xA7 : 0x00) << int(c.initee);
        if (c.base) {
            EXPECT_EQ(bench.readByte(*c.base + 0x0300), 0xA7) << int(c.initee);
        }
    }
}

TEST(SimMc9s12, MemorySizeRegister)
{
    for (const char* model : {"MC9S12DBx", "MC9S12DT128"}) {
        S12Bench bench(16, {}, model);
        EXPECT_EQ(bench.readByte(0x001C), 0x13) << model;
    }
}

TEST(SimMc9s12, EraseVerifySetsBlankOnlyOnAnErasedArray)
{
    for (const bool erased : {true, false}) {
        S12Bench bench;
        if (!erased)
            bench.board->eeprom()[0x7FF] = 0xFE;
        bench.writeByte(ECLKDIV, 0x4A);
        bench.writeWord(BASE, 0xFF, 0xFF);
        bench.writeByte(ECMD, 0x05);
        bench.writeByte(ESTAT, 0x80);
        EXPECT_EQ(bench.readByte(ESTAT), erased ? 0xC5 : 0xC1);
    }
}

TEST(SimMc9s12, StatusFaults)
{
    SimFaults notReady;
    notReady.estatNotReady = true;
    S12Bench notReadyBench(16, notReady);
    EXPECT_EQ(notReadyBench.readByte(ESTAT), 0x81);

    SimFaults neverDone;
    neverDone.ccifNeverSet = true;
    S12Bench neverDoneBench(16, neverDone);
    neverDoneBench.setUp(0x4A);
    EXPECT_EQ(neverDoneBench.readByte(ESTAT), 0xC1);
    EXPECT_EQ(neverDoneBench.programWord(BASE, 0x00, 0x00), 0) << "still busy after 2 s";
    EXPECT_EQ(neverDoneBench.board->eeprom()[0], 0xFF);

    SimFaults stuck;
    stuck.cellsThatNeverProgram = {0x0000};
    S12Bench stuckBench(16, stuck);
    stuckBench.setUp(0x4A);
    stuckBench.programWord(BASE, 0x00, 0x00);
    EXPECT_EQ(stuckBench.readWord(BASE), (Word{0xFF, 0x00}));
}

} // namespace
