// Connect, read and write against injected faults: each ends in the messages
// and the state the user must see, within a bounded (virtual) time.
#include <gtest/gtest.h>

#include "TargetFakes.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"

namespace {


int countLines(const std::vector<std::string>& lines, const std::string& prefix)
{
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return l.find(prefix) != std::string::npos; }));
}

} // namespace

// --- connecting ---

TEST(TargetConnectFault, SilentProcessorAfterAGoodGreeting)
{
    SimFaults faults;
    faults.silentAfter = 4; // "paww", then nothing
    TargetRig rig("MC9S12DT128", 16, faults);
    const auto mark = rig.mark();
    rig.window.crystal = "16MHz";
    connectTarget(rig.session);

    EXPECT_EQ(rig.window.boxTexts(), (std::vector<std::string>{"RAM: 2 KB  EEPROM: 0 KB  Początek: 0x0000",
                                                                "Nieudane połączenie z procesorem"}));
    EXPECT_EQ(rig.window.boxes[1].caption, "Błąd");
    EXPECT_EQ(rig.window.boxes[1].icon, BoxIcon::Error);
    EXPECT_EQ(rig.link.connectionState(), -1);
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
    EXPECT_FALSE(rig.window.commandsEnabled);
    EXPECT_EQ(rig.buffer.count, 0u); // the query's answers were all time-outs
    EXPECT_LT(rig.msSince(mark), 1500u); // three 300 ms time-outs and the flushes
}

namespace {
struct GreetingCase {
    const char* name;
    const char* greeting;
    std::uint64_t quietAtEnd; // settling, waiting for the failing byte, flush
};
class TargetGreetingFault : public testing::TestWithParam<GreetingCase> {};
} // namespace

TEST_P(TargetGreetingFault, StopsWithTheInterfaceMessageAndDisconnected)
{
    const GreetingCase c = GetParam();
    SimFaults faults;
    faults.greeting = c.greeting;
    TargetRig rig("HC12B", 16, faults);
    rig.window.crystal = "16MHz";
    const auto mark = rig.mark();
    connectTarget(rig.session);

    EXPECT_EQ(rig.exchange(mark), (std::vector<std::string>{"30 RTS 1", "200 RTS 0"})); // no 'R', no 'U'
    EXPECT_EQ(quietAtEndMs(rig.board->trace(), rig.clock.nowUs()), c.quietAtEnd);
    expectOnlyBox(rig.window, "Nieudane połączenie z interfejsem", "Błąd", BoxIcon::Error);
    EXPECT_EQ(rig.link.connectionState(), -1);
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED); // not left at "Łączenie..."
    EXPECT_FALSE(rig.window.commandsEnabled);
}

INSTANTIATE_TEST_SUITE_P(Greetings, TargetGreetingFault,
                         testing::Values(GreetingCase{"FourthByteWrong", "pawx", 40},
                                         GreetingCase{"FirstByteWrong", "xaww", 40},
                                         GreetingCase{"Missing", "", 340}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- reading ---

TEST(TargetReadFault, UnstableByteKeepsTheFirstReadingOfTheThirdAttempt)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.board->eeprom()[2] = 0x5A;
    rig.board->eeprom()[3] = 0x77;
    rig.connectWith("16MHz");
    // Answers of the read: the wake-up 'C', word 0 twice, then word 1: per
    // attempt two 'L' answers of two bytes; the byte at offset 3 is the second.
    const std::size_t word1 = rig.answerBytesSoFar() + 1 + 4;
    for (std::size_t attempt = 0; attempt < 3; ++attempt) {
        rig.board->faults().changedAnswerBytes[word1 + 4 * attempt + 1] = std::uint8_t(0x10 + attempt);
        rig.board->faults().changedAnswerBytes[word1 + 4 * attempt + 3] = std::uint8_t(0x20 + attempt);
    }
    rig.buffer.count = 6;
    const auto mark = rig.mark();
    readEeprom(rig.session);

    EXPECT_EQ(countLines(rig.exchange(mark), "L 08 02"), 6);
    EXPECT_EQ(countLines(rig.exchange(mark), "L 08 04"), 2);
    EXPECT_EQ(rig.buffer.cells[3], 0x12);
    EXPECT_EQ(rig.buffer.cells[2], 0x5A);
    EXPECT_EQ(rig.buffer.red, (std::set<std::uint32_t>{3}));
    EXPECT_EQ(rig.window.statusFields[0], "Przeczytano  6  bajtów.");
    EXPECT_TRUE(rig.window.boxes.empty());
    EXPECT_EQ(rig.link.connectionState(), 1);
}

TEST(TargetReadFault, LineErrorsMidReadShowTheirBoxesThenTheLostConnection)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.connectWith("16MHz");
    const std::size_t word1 = rig.answerBytesSoFar() + 1 + 4;
    rig.board->faults().lineErrors = {{word1 + 2, LineError::FRAME | LineError::RXPARITY}};
    rig.buffer.count = 8;
    const auto mark = rig.mark();
    readEeprom(rig.session);

    EXPECT_EQ(rig.window.boxTexts(),
              (std::vector<std::string>{"Wykryto błędy w ramce", "Wykryto błąd parzystości", LOST}));
    EXPECT_EQ(rig.window.boxes[0].icon, BoxIcon::Warning);
    EXPECT_EQ(rig.window.boxes[2].icon, BoxIcon::Error);
    EXPECT_EQ(rig.window.statusFields[0], "Przeczytano  2  bajty.");
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
    EXPECT_FALSE(rig.window.commandsEnabled);
    EXPECT_FALSE(rig.buffer.cells[4]); // nothing after the word in progress
    EXPECT_EQ(countLines(rig.exchange(mark), "L 08 04"), 0);
    EXPECT_LT(rig.msSince(mark), 200u);
}

TEST(TargetReadFault, InterfaceFallsSilentDuringTheThirdWord)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.fillEeprom(100, [](std::uint32_t k) { return 0x80 + k; });
    rig.connectWith("16MHz");
    // The wake-up answer, two words of four answers, then the third word's first byte only.
    rig.board->faults().silentAfter = rig.answerBytesSoFar() + 1 + 8 + 1;
    rig.buffer.count = 100;
    const auto mark = rig.mark();
    readEeprom(rig.session);

    EXPECT_EQ(rig.buffer.cells[0], 0x80);
    EXPECT_EQ(rig.buffer.cells[3], 0x83);
    EXPECT_EQ(rig.buffer.cells[4], 0x84); // what was received
    EXPECT_EQ(rig.buffer.cells[5], 0x00); // the missing byte
    EXPECT_FALSE(rig.buffer.cells[6]);
    EXPECT_EQ(rig.window.statusFields[0], "Przeczytano  4  bajty.");
    EXPECT_EQ(rig.window.boxTexts(), (std::vector<std::string>{LOST}));
    EXPECT_EQ(rig.window.boxes[0].caption, "Błąd");
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
    EXPECT_EQ(rig.window.progress.back(), "finish");
    EXPECT_EQ(rig.window.progressSteps(), 4);
    EXPECT_LT(rig.msSince(mark), 500u); // one 300 ms time-out
}

// --- writing: the MC9S12 set-up stops ---

namespace {
struct StopCase {
    const char* name;
    std::function<void(TargetRig&)> before;  // reset-time faults, before connecting
    std::function<void(TargetRig&)> between; // after connecting, before writing
    const char* text;
};
class TargetWriteStop : public testing::TestWithParam<StopCase> {};
} // namespace

TEST_P(TargetWriteStop, StopsBeforeProgrammingWithTheMessage)
{
    const StopCase c = GetParam();
    TargetRig rig("MC9S12DT128", 8);
    rig.fillEeprom(64, [](std::uint32_t k) { return k; });
    if (c.before)
        c.before(rig);
    rig.connectWith("8MHz");
    ASSERT_EQ(rig.link.connectionState(), 1);
    if (c.between)
        c.between(rig);
    rig.fillBuffer(64, [](std::uint32_t k) { return 0xC0 + k; });
    const auto cellsBefore = rig.buffer.cells;
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    expectOnlyBox(rig.window, c.text, "Błąd", BoxIcon::Error);
    for (const auto& [field, text] : rig.window.statusHistory) // only the link's own "Brak połączenia."
        EXPECT_TRUE(field == 3 && text == NOT_CONNECTED) << field << " " << text;
    EXPECT_EQ(rig.link.connectionState() < 1, c.text == LOST);
    EXPECT_TRUE(rig.window.progress.empty());
    EXPECT_EQ(rig.buffer.cells, cellsBefore);
    EXPECT_EQ(countLines(rig.exchange(mark), "z 01 15 80"), 0); // no word program launched
    EXPECT_LT(rig.msSince(mark), 2000u);
}

INSTANTIATE_TEST_SUITE_P(
    Mc9s12, TargetWriteStop,
    testing::Values(
        StopCase{"EprotLastQuarter", [](TargetRig& r) { r.board->faults().eprotAtReset = 0x83; }, {},
                 "Ostatnie 256bajty EEPROMu są chronione przed zapisem!"},
        StopCase{"EprotAllClosed", [](TargetRig& r) { r.board->faults().eprotAtReset = 0x7F; }, {},
                 "Cały EEPROM jest zabespieczony przed zapisem!"},
        StopCase{"EclkdivNotLoaded", {},
                 [](TargetRig& r) { // answers: INITEE, EPROT, ECLKDIV, ECLKDIV read back
                     r.board->faults().changedAnswerBytes[r.answerBytesSoFar() + 3] = 0x2B;
                 },
                 "Nie ustawiono ECLKDIV!"},
        StopCase{"EstatNotReady", {}, [](TargetRig& r) { r.board->faults().estatNotReady = true; },
                 "Błędy w rejestrze ESTAT!"},
        // A crystal choice that does not match the board gives an EEPROM clock
        // out of range: the erase ends with ACCERR.
        StopCase{"AccerrAfterErase", {}, [](TargetRig& r) { r.crystalMHz = 16; }, "Błędy PVIOL w rejestrze ESTAT !"},
        StopCase{"EraseNeverCompletes", {}, [](TargetRig& r) { r.board->faults().ccifNeverSet = true; },
                 "Błędy PVIOL w rejestrze ESTAT !"},
        StopCase{"LostAtEprot", {},
                 [](TargetRig& r) { r.board->faults().silentAfter = r.answerBytesSoFar() + 1; }, LOST.c_str()},
        StopCase{"LostDuringErasePoll", {},
                 [](TargetRig& r) { r.board->faults().silentAfter = r.answerBytesSoFar() + 5; }, LOST.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TargetWriteFault, EraseThatNeverCompletesIsBoundedToASecond)
{
    TargetRig rig("MC9S12DT128", 16);
    rig.connectWith("16MHz");
    rig.board->faults().ccifNeverSet = true;
    rig.fillBuffer(4, [](std::uint32_t) { return 0; });
    const auto mark = rig.mark();
    writeEeprom(rig.session);
    const int polls = countLines(rig.exchange(mark), "C 01 15") - 1; // the first read is the idle check
    EXPECT_GE(polls, 80);
    EXPECT_LE(polls, 100);
    EXPECT_LT(rig.msSince(mark), 1200u);
}

TEST(TargetWriteFault, WordWhoseCommandNeverCompletesIsVerifiedAndCounted)
{
    TargetRig rig("MC9S12DT128", 16);
    rig.connectWith("16MHz");
    // From the first programmed word on, no command completes.
    rig.clock.setIdleHook([&rig] {
        for (const auto& e : rig.board->trace().entries())
            if (e.kind == SimTraceEntry::Kind::Frame && e.bytes[0] == 's' && e.bytes[3] != 0xFF)
                rig.board->faults().ccifNeverSet = true;
    });
    rig.fillBuffer(2, [](std::uint32_t k) { return 0x12 + k; });
    const auto mark = rig.mark();
    writeEeprom(rig.session);
    rig.clock.setIdleHook({});

    EXPECT_EQ(countLines(rig.exchange(mark), "z 01 15 80"), 5);
    EXPECT_EQ(countLines(rig.exchange(mark), "L 20 00"), 5);
    EXPECT_EQ(rig.buffer.red, (std::set<std::uint32_t>{0, 1}));
    EXPECT_EQ(rig.window.statusFields[1], "Nieudanych zapisów:  2");
    EXPECT_EQ(rig.window.boxTexts(), (std::vector<std::string>{"Nie udało się zapisać 2komórek"}));
    EXPECT_EQ(rig.link.connectionState(), 1);
    EXPECT_LT(rig.msSince(mark), 7000u); // five polls of about a second
}

// --- writing: verification, questions, lost connection ---

TEST(TargetWriteFault, ByteThatNeverProgramsIsProgrammedFiveTimesAndCountedOnce)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {3};
    TargetRig rig("HC912Dx128x", 16, faults);
    rig.connectWith("16MHz");
    rig.fillBuffer(8, [](std::uint32_t k) { return 0x30 + k; });
    const auto cellsBefore = rig.buffer.cells;
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    const auto lines = rig.exchange(mark);
    EXPECT_EQ(countLines(lines, "s 08 02 32 33"), 5);
    EXPECT_EQ(countLines(lines, "s 08 02 FF FF"), 1); // erased once only
    EXPECT_EQ(countLines(lines, "s 08 04 34 35"), 1);
    EXPECT_EQ(rig.buffer.red, (std::set<std::uint32_t>{3}));
    EXPECT_EQ(rig.buffer.cells, cellsBefore);
    EXPECT_EQ(rig.board->eeprom()[2], 0x32);
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  8  bajtów.");
    EXPECT_EQ(rig.window.statusFields[1], "Nieudanych zapisów:  1");
    EXPECT_EQ(rig.window.boxTexts(), (std::vector<std::string>{"Nie udało się zapisać 1komórek"}));
    EXPECT_EQ(rig.window.boxes[0].caption, "Błąd");
    EXPECT_FALSE(rig.window.boxes[0].question);
    EXPECT_EQ(rig.window.progressSteps(), 4);
    EXPECT_LT(rig.msSince(mark), 3000u);
}

namespace {
// A 2048-byte HC912Dx128x write where the given cells never program.
struct QuestionRun {
    TargetRig rig{"HC912Dx128x", 16};
    ExchangeMark mark;

    explicit QuestionRun(const std::set<std::uint16_t>& failing, std::vector<bool> answers = {})
    {
        rig.board->faults().cellsThatNeverProgram = failing;
        rig.connectWith("16MHz");
        rig.fillBuffer(2048, [](std::uint32_t k) { return k & 0x7F; });
        rig.window.answers = std::move(answers);
        mark = rig.mark();
        writeEeprom(rig.session);
    }
    std::vector<std::string> questions() const
    {
        std::vector<std::string> texts;
        for (const auto& box : rig.window.boxes)
            if (box.question)
                texts.push_back(box.text);
        return texts;
    }
};

std::set<std::uint16_t> oddOffsetsBelow(std::uint16_t end)
{
    std::set<std::uint16_t> offsets;
    for (std::uint16_t k = 1; k < end; k += 2)
        offsets.insert(k);
    return offsets;
}
} // namespace

TEST(TargetWriteQuestion, AskedAtATwentiethAndATenthOfTheCount)
{
    QuestionRun run(oddOffsetsBelow(2048)); // one failed byte per word, Yes to every question
    EXPECT_EQ(run.questions(), (std::vector<std::string>{"Nie udało się zapisać 102komórek\nCzy kontynuować?",
                                                        "Nie udało się zapisać 204komórek\nCzy kontynuować?"}));
    EXPECT_EQ(run.rig.window.statusFields[0], "Zapisano  2048  bajtów.");
    EXPECT_EQ(run.rig.window.statusFields[1], "Nieudanych zapisów:  1024");
    EXPECT_EQ(run.rig.window.boxes.back().text, "Nie udało się zapisać 1024komórek");
    EXPECT_EQ(run.rig.buffer.cursorPageMoves, 6); // two pages at 512, 1024 and 1536
    EXPECT_LT(run.rig.msSince(run.mark), 600'000u);
}

TEST(TargetWriteQuestion, NoAtTheWordAtOffset200CountsTheRestAsFailed)
{
    // Words 0..198 lose one byte each (100), the word at 200 both: 102 there.
    auto failing = oddOffsetsBelow(200);
    failing.insert({200, 201});
    QuestionRun run(failing, {false});
    EXPECT_EQ(run.questions(), (std::vector<std::string>{"Nie udało się zapisać 102komórek\nCzy kontynuować?"}));
    EXPECT_EQ(run.rig.window.statusFields[0], "Zapisano  200  bajtów.");
    EXPECT_EQ(run.rig.window.statusFields[1], "Nieudanych zapisów:  1950");
    EXPECT_EQ(run.rig.window.boxes.back().text, "Nie udało się zapisać 1950komórek");
    EXPECT_EQ(run.rig.window.progressSteps(), 100); // the word at 200 takes no step
    EXPECT_EQ(countLines(run.rig.exchange(run.mark), "s 08 CA"), 0); // nothing after it
    EXPECT_EQ(run.rig.link.connectionState(), 1);
}

TEST(TargetWriteQuestion, StepOverTheThresholdAsksNothing)
{
    // 101 single failures, then a word losing both bytes: 101 -> 103.
    auto failing = oddOffsetsBelow(202);
    failing.insert({202, 203});
    QuestionRun run(failing);
    EXPECT_TRUE(run.questions().empty());
    EXPECT_EQ(run.rig.window.statusFields[1], "Nieudanych zapisów:  103");
}

TEST(TargetWriteFault, ConnectionLostMidWrite)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.connectWith("16MHz");
    // The write's INITEE answer and the first verify arrive; then silence.
    rig.board->faults().silentAfter = rig.answerBytesSoFar() + 3;
    rig.fillBuffer(8, [](std::uint32_t k) { return 0x40 + k; });
    const auto cellsBefore = rig.buffer.cells;
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    EXPECT_EQ(countLines(rig.exchange(mark), "s 08 02 42 43"), 5);
    EXPECT_EQ(countLines(rig.exchange(mark), "s 08 04"), 0);
    EXPECT_EQ(rig.window.boxTexts(), (std::vector<std::string>{LOST, "Nie udało się zapisać 8komórek"}));
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  2  bajty.");
    EXPECT_EQ(rig.window.statusFields[1], "Nieudanych zapisów:  8"); // 2 + (8 - 2)
    EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
    EXPECT_EQ(rig.buffer.red, (std::set<std::uint32_t>{2, 3}));
    EXPECT_EQ(rig.buffer.cells, cellsBefore);
    EXPECT_LT(rig.msSince(mark), 5000u);
}

// --- writing: empty cells, selection, erased words ---

TEST(TargetWriteCells, EmptyCellsKeepTheTargetsValuesOnHc12)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.fillEeprom(8, [](std::uint32_t k) { return 0xA0 + k; });
    rig.connectWith("16MHz");
    rig.fillBuffer(8, [](std::uint32_t k) { return 0x10 + k; });
    rig.buffer.cells[2] = rig.buffer.cells[3] = rig.buffer.cells[5] = std::nullopt;
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    const auto lines = rig.exchange(mark);
    EXPECT_EQ(countLines(lines, "C 08 02"), 1);
    EXPECT_EQ(countLines(lines, "C 08 03"), 1);
    EXPECT_EQ(countLines(lines, "C 08 05"), 1);
    std::vector<std::uint8_t> first8(rig.board->eeprom().begin(), rig.board->eeprom().begin() + 8);
    EXPECT_EQ(first8, (std::vector<std::uint8_t>{0x10, 0x11, 0xA2, 0xA3, 0x14, 0xA5, 0x16, 0x17}));
    EXPECT_FALSE(rig.buffer.cells[2]); // the buffer is not filled in
    EXPECT_TRUE(rig.window.boxes.empty());
}

TEST(TargetWriteCells, EmptyWordIsSkippedOnMc9s12AfterTheMassErase)
{
    TargetRig rig("MC9S12DT128", 16);
    rig.fillEeprom(8, [](std::uint32_t k) { return 0xA0 + k; });
    rig.connectWith("16MHz");
    rig.fillBuffer(8, [](std::uint32_t k) { return 0x10 + k; });
    rig.buffer.cells[2] = rig.buffer.cells[3] = std::nullopt;
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    const auto lines = rig.exchange(mark);
    EXPECT_EQ(countLines(lines, "C 20 02"), 1);
    EXPECT_EQ(countLines(lines, "C 20 03"), 1);
    EXPECT_EQ(countLines(lines, "s 20 02"), 0);
    EXPECT_EQ(countLines(lines, "z 01 15 80"), 3);
    std::vector<std::uint8_t> first8(rig.board->eeprom().begin(), rig.board->eeprom().begin() + 8);
    EXPECT_EQ(first8, (std::vector<std::uint8_t>{0x10, 0x11, 0xFF, 0xFF, 0x14, 0x15, 0x16, 0x17}));
    EXPECT_EQ(rig.window.progress, (std::vector<std::string>{"start 8", "step", "step", "step", "finish"}));
}

TEST(TargetWriteCells, SelectionOnlyWritesTheWholeWordOfASelectedCell)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.connectWith("16MHz");
    rig.window.selection = true;
    rig.fillBuffer(16, [](std::uint32_t k) { return 0x20 + k; });
    rig.buffer.selected = {5};
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    const auto lines = rig.exchange(mark);
    EXPECT_EQ(countLines(lines, "s 08 04 24 25"), 1);
    EXPECT_EQ(countLines(lines, " s 08"), 2); // its erase and its programming, nothing else
    EXPECT_EQ(rig.board->eeprom()[4], 0x24);
    EXPECT_EQ(rig.board->eeprom()[5], 0x25);
    EXPECT_EQ(rig.board->eeprom()[6], 0xFF);
    EXPECT_EQ(rig.window.progress, (std::vector<std::string>{"start 1", "step", "finish"}));
    EXPECT_EQ(rig.buffer.selected, (std::set<std::uint32_t>{5})); // the selection is left as it was
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  16  bajtów.");
}

TEST(TargetWriteCells, AFailedCellBecomesTheSelectionAndTheSelectedWordsAfterItAreStillWritten)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {1};
    TargetRig rig("HC912Dx128x", 16, faults);
    rig.connectWith("16MHz");
    rig.window.selection = true;
    rig.fillBuffer(16, [](std::uint32_t k) { return 0x20 + k; });
    rig.buffer.selected = {1, 9};
    writeEeprom(rig.session);

    EXPECT_EQ(rig.buffer.red, (std::set<std::uint32_t>{1}));
    EXPECT_EQ(rig.buffer.selected, (std::set<std::uint32_t>{1}));
    EXPECT_EQ(rig.board->eeprom()[8], 0x28); // still written after the failure
    EXPECT_EQ(rig.board->eeprom()[9], 0x29);
}

TEST(TargetWriteCells, AllErasedRangeOnHc12IsOnlyErased)
{
    TargetRig rig("HC912Dx128x", 16);
    rig.fillEeprom(8, [](std::uint32_t) { return 0x00; });
    rig.connectWith("16MHz");
    rig.fillBuffer(8, [](std::uint32_t) { return 0xFF; });
    const auto mark = rig.mark();
    writeEeprom(rig.session);

    const auto lines = rig.exchange(mark);
    EXPECT_EQ(countLines(lines, "z 00 F3 B7"), 4);
    EXPECT_EQ(countLines(lines, "z 00 F3 83"), 0);
    EXPECT_EQ(countLines(lines, "L 08"), 0);
    std::vector<std::uint8_t> first8(rig.board->eeprom().begin(), rig.board->eeprom().begin() + 8);
    EXPECT_EQ(first8, std::vector<std::uint8_t>(8, 0xFF));
    EXPECT_EQ(rig.window.progress, (std::vector<std::string>{"start 8", "finish"}));
    EXPECT_EQ(rig.window.statusFields[0], "Zapisano  8  bajtów.");
    EXPECT_TRUE(rig.window.boxes.empty());
}
