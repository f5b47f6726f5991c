// Connecting through the window to simulated boards: the exchange on the wire
// frame by frame with its pauses, the "Parametry" box, the fields, the status
// bar and the controls the connect opens, crystal detection, and the refusals
// that send nothing. Pauses are in whole ms of quiet line before each frame;
// they include the answer bytes' own wire time (0.26 ms each), which is why a
// frame sent right after an answer shows 0.
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>

#include "TargetSupport.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"
#include "serial/SerialLink.h"

namespace {

using Lines = std::vector<std::string>;

constexpr long ANY_ICON = wxICON_ERROR | wxICON_WARNING | wxICON_INFORMATION | wxICON_QUESTION;

void expectBox(const ScriptedBoxes::Box& box, const char* caption, long icon)
{
    EXPECT_EQ(box.caption, pl(caption)) << box.message;
    EXPECT_EQ(box.style & ANY_ICON, icon) << box.message;
    EXPECT_TRUE(box.style & wxOK) << box.message;
    EXPECT_FALSE(box.style & (wxYES_NO | wxCANCEL)) << box.message;
}

// Whole ms from the end of the last frame or RTS change to now.
std::uint64_t msSinceLastEvent(SimulatedBoard& board)
{
    const auto& entries = board.trace().entries();
    return (TestApp::clock().nowUs() - entries.back().endUs + 500) / 1000;
}

} // namespace

TEST(TargetConnect, Mc9s12With8MHzChosenBeforeRunsTheWholeExchangeAndOpensTheCommands)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "MC9S12DT128", 8);
    chooseModel(frame, "MC9S12DT128");
    chooseCrystal(frame, "8MHz"); // no port yet: nothing is sent, the reset sends the divider
    frame.selectionCheck->Enable();
    frame.selectionCheck->SetValue(true);

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes boxes;
        // MEMSIZ0 0x13: RAM 3 × 2 + 2 KB, EEPROM size code 1 = 2 KB; INITEE 0x21 puts it at 0x2000.
        boxes.expect(wxID_OK, pl("RAM: 8 KB  EEPROM: 2 KB  Początek: 0x2000"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectBox(boxes.shown()[0], "Parametry", 0);
    }

    EXPECT_EQ(exchangeSince(*board, t0), (Lines{
                                             "30 RTS 1",       // after the opening flush's quiet 30 ms
                                             "200 RTS 0",      // the reset pulse
                                             "10 R",           // settling; "paww" arrived meanwhile
                                             "10 U 02",        // the 8 MHz divider
                                             "0 C 00 0F",      // processor probe
                                             "0 z 00 12 21",   // EEPROM to 0x2000 and on
                                             "10 C 00 1C",     // MEMSIZ0
                                             "0 C 00 12",      // INITEE
                                         }))
        << board->trace().dump();
    EXPECT_EQ(msSinceLastEvent(*board), 30u); // the closing flush
    EXPECT_EQ(TestApp::ports().opens(), std::vector<std::string>{"COM1"});

    EXPECT_EQ(frame.startField->GetValue(), "2000");
    EXPECT_EQ(frame.countField->GetValue(), "2048");
    EXPECT_EQ(frame.currentModel.eepromStart, 0x2000u);
    EXPECT_EQ(frame.currentModel.eepromSize, 2048u); // the table's size stays
    EXPECT_EQ(shownGrid(frame).startAddress, 0x2000u);
    EXPECT_EQ(shownGrid(frame).byteCount, 2048u);

    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_TRUE(targetCommandsEnabled(frame));
    EXPECT_EQ(frame.GetDefaultItem(), frame.readButton);
    EXPECT_FALSE(frame.selectionCheck->GetValue());
    EXPECT_FALSE(frame.selectionCheck->IsEnabled());
    EXPECT_TRUE(frame.connectButton->IsEnabled());
    EXPECT_TRUE(frame.mc9s12Mode);
    EXPECT_EQ(frame.crystalMHz, 8);
    EXPECT_EQ(frame.crystalCombo->GetValue(), "8MHz");
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}

TEST(TargetConnect, Hc12EnablesTheSelectionCheckAndKeepsItsTick)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "HC912Dx128x", 16);
    chooseModel(frame, "HC912Dx128x");
    chooseCrystal(frame, "16MHz");
    frame.selectionCheck->SetValue(true);
    EXPECT_FALSE(frame.selectionCheck->IsEnabled()); // the program starts disconnected

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes noBoxes;
        sendMenu(frame, ID_CONNECT);
    }
    EXPECT_EQ(exchangeSince(*board, t0), (Lines{"30 RTS 1", "200 RTS 0", "10 R", "10 U 00", "0 C 00 0F"}))
        << board->trace().dump();
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_TRUE(targetCommandsEnabled(frame));
    EXPECT_TRUE(frame.selectionCheck->IsEnabled());
    EXPECT_TRUE(frame.selectionCheck->GetValue());
    EXPECT_FALSE(frame.mc9s12Mode);
    EXPECT_EQ(frame.startField->GetValue(), "0800"); // no query: the model's fields stay
    EXPECT_EQ(frame.countField->GetValue(), "2048");
}

TEST(TargetConnect, AutoOnA16MHzBoardTakesTheFirstCandidate)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "HC12B", 16);
    chooseModel(frame, "HC12B");
    ASSERT_EQ(frame.crystalCombo->GetValue(), "Auto");

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.connectButton);
    }
    EXPECT_EQ(exchangeSince(*board, t0), (Lines{
                                             "30 RTS 1", "200 RTS 0", "10 R", "10 U 00", "0 C 00 0F",
                                             // the one attempt: reset, 'U' 16 MHz, flush, probe twice
                                             "0 RTS 1", "200 RTS 0", "10 R", "10 U 00", "10 U 00",
                                             "30 C 00 0F", "10 C 00 0F",
                                         }))
        << board->trace().dump();
    EXPECT_EQ(frame.crystalCombo->GetValue(), "16MHz");
    EXPECT_EQ(frame.link().clockDivider(), 0x00);
    EXPECT_EQ(frame.crystalMHz, 16);
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_TRUE(targetCommandsEnabled(frame));
}

TEST(TargetConnect, AutoWhoseProbeNeverReadsZeroTriesThreeCrystalsWarnsOnceAndConnectsOn4MHz)
{
    MainFrame& frame = TestApp::freshFrame();
    // A 4 MHz board answers 0xFF while the divider is wrong; its one 0x00, the
    // third attempt's second probe, is changed on the line. Answer bytes: the
    // first greeting 0-3, probe 4, then per attempt a greeting and two probes.
    SimFaults faults;
    faults.changedAnswerBytes[22] = 0x01;
    auto board = wireBoard("COM1", "HC12B", 4, faults);
    chooseModel(frame, "HC12B");

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Nie moge rozpoznać kwarcu! Wybierz go ręcznie"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectBox(boxes.shown()[0], "Ostrzeżenie", wxICON_WARNING);
    }
    const Lines attempt16{"0 RTS 1", "200 RTS 0", "10 R", "10 U 00", "10 U 00", "30 C 00 0F", "10 C 00 0F"};
    const Lines attempt8{"0 RTS 1", "200 RTS 0", "10 R", "10 U 00", "10 U 02", "30 C 00 0F", "10 C 00 0F"};
    const Lines attempt4{"0 RTS 1", "200 RTS 0", "10 R", "10 U 02", "10 U 01", "30 C 00 0F", "10 C 00 0F"};
    Lines expected{"30 RTS 1", "200 RTS 0", "10 R", "10 U 00", "0 C 00 0F"};
    for (const Lines* attempt : {&attempt16, &attempt8, &attempt4})
        expected.insert(expected.end(), attempt->begin(), attempt->end());
    EXPECT_EQ(exchangeSince(*board, t0), expected) << board->trace().dump();

    EXPECT_EQ(frame.crystalCombo->GetValue(), "4MHz");
    EXPECT_EQ(frame.link().clockDivider(), 0x01);
    EXPECT_EQ(frame.crystalMHz, 4);
    EXPECT_EQ(statusText(frame, 3), "Połączony."); // the target answered all along
    EXPECT_TRUE(targetCommandsEnabled(frame));
}

TEST(TargetConnect, ThePlaceholderModelIsRefusedBeforeAnythingIsOpenedOrSent)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "HC12B", 16);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Wybierz model mikrokontrolera!"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectBox(boxes.shown()[0], "Ostrzeżenie", wxICON_WARNING);
    }
    EXPECT_TRUE(TestApp::ports().opens().empty());
    EXPECT_TRUE(board->trace().entries().empty());
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
}

TEST(TargetConnect, AMonitorPageAmongEightShowsTwoBoxesAndSendsNothing)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "HC12B", 16);
    chooseModel(frame, "HC12B");
    for (int i = 1; i < 8; ++i)
        sendMenu(frame, ID_NEW_BUFFER);
    frame.bufferBook->renameCurrentPage("Monitor");
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Osiągnięto maksimum zakładek!")).expect(wxID_OK, pl("Usnuń jedną z zakładek"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 2u);
        expectBox(boxes.shown()[1], "Ostrzeżenie", wxICON_WARNING);
    }
    EXPECT_EQ(frame.bufferBook->GetPageCount(), 8u);
    EXPECT_TRUE(TestApp::ports().opens().empty());
    EXPECT_TRUE(board->trace().entries().empty());
}

TEST(TargetConnect, AMonitorPageWithRoomLeftGetsANewBufferPageAndTheConnectGoesOn)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", "HC12B", 16);
    chooseModel(frame, "HC12B");
    chooseCrystal(frame, "16MHz");
    frame.bufferBook->renameCurrentPage("Monitor");
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.connectButton);
    }
    ASSERT_EQ(frame.bufferBook->GetPageCount(), 2u);
    EXPECT_EQ(frame.bufferBook->GetPageText(0), "Monitor");
    EXPECT_EQ(frame.bufferBook->GetSelection(), 1);
    EXPECT_EQ(frame.bufferBook->GetPageText(1), "Buf1");
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
}

TEST(TargetConnect, ASilentInterfaceEndsAfterTheResetWithTheInterfaceBox)
{
    MainFrame& frame = TestApp::freshFrame();
    SimFaults faults;
    faults.greeting = "";
    auto board = wireBoard("COM1", "HC12B", 16, faults);
    chooseModel(frame, "HC12B");
    chooseCrystal(frame, "16MHz");

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Nieudane połączenie z interfejsem"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectBox(boxes.shown()[0], "Błąd", wxICON_ERROR);
    }
    EXPECT_EQ(exchangeSince(*board, t0), (Lines{"30 RTS 1", "200 RTS 0"})) << board->trace().dump();
    // Settling, the first greeting byte's 300 ms (counted in whole ticks, so
    // up to 1 ms less) and the flush after it.
    EXPECT_NEAR(double(msSinceLastEvent(*board)), 10 + 300 + 30, 1);
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
    EXPECT_FALSE(frame.selectionCheck->IsEnabled());
    EXPECT_TRUE(frame.connectButton->IsEnabled());
}

TEST(TargetConnect, AnMc9s12ThatFallsSilentAfterTheGreetingShowsTheEmptyParametersAndTheProcessorBox)
{
    MainFrame& frame = TestApp::freshFrame();
    SimFaults faults;
    faults.silentAfter = 4; // "paww", then nothing
    auto board = wireBoard("COM1", "MC9S12DBx", 16, faults);
    chooseModel(frame, "MC9S12DBx");
    chooseCrystal(frame, "16MHz");
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("RAM: 2 KB  EEPROM: 0 KB  Początek: 0x0000"))
            .expect(wxID_OK, pl("Nieudane połączenie z procesorem"));
        clickButton(frame.connectButton);
        ASSERT_EQ(boxes.shown().size(), 2u);
        expectBox(boxes.shown()[1], "Błąd", wxICON_ERROR);
    }
    EXPECT_EQ(frame.startField->GetValue(), "0000");
    EXPECT_EQ(frame.countField->GetValue(), "0");
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
}
