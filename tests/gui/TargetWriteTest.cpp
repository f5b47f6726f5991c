// Writing the EEPROM through the window's write button: one word on each
// family frame by frame with its pauses, a byte that never programs (red cell,
// failure count, final box) and the continue question answered both ways.
#include <wx/bmpbuttn.h>

#include "TargetSupport.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"

namespace {

using Lines = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

void fillBuffer(MainFrame& frame, const Bytes& bytes)
{
    for (std::size_t k = 0; k < bytes.size(); ++k)
        shownGrid(frame).setByte(k, bytes[k]);
}

void expectErrorBox(const ScriptedBoxes::Box& box, long buttons)
{
    EXPECT_EQ(box.caption, pl("Błąd"));
    EXPECT_TRUE(box.style & wxICON_ERROR);
    EXPECT_EQ(box.style & (wxOK | wxYES_NO | wxCANCEL), buttons);
}

} // namespace

TEST(TargetWrite, OneHc12WordIsErasedProgrammedAndVerifiedWithEveryPause)
{
    auto [frame, board] = connectFreshBoard("HC912Dx128x", 16, "16MHz");
    frame.countField->SetValue("2");
    fillBuffer(frame, {0x12, 0x34});

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.writeButton);
    }
    EXPECT_EQ(exchangeSince(*board, t0), (Lines{
                                             "30 U 00",        // after the flush
                                             "0 C 00 12",      // INITEE, answer not used
                                             "0 z 00 12 01",   // INITEE
                                             "10 z 00 F0 FC",  // EEMCR
                                             "10 z 00 F1 00",  // EEPROT: all blocks open
                                             "10 z 00 EE 02",  // EEDIV 0x0230 for 16 MHz
                                             "10 z 00 EF 30",
                                             // 10 ms, 20 ms, the flush: then the word's erase
                                             "60 z 00 F3 B6", "10 s 08 00 FF FF", "10 z 00 F3 B7",
                                             "10 z 00 F3 B6", "10 z 00 F3 80",
                                             // 20 ms and the flush: then programming
                                             "50 z 00 F3 82", "10 s 08 00 12 34", "10 z 00 F3 83",
                                             "10 z 00 F3 82", "10 z 00 F3 80",
                                             "10 L 08 00",     // verify
                                         }))
        << board->trace().dump();
    EXPECT_EQ(eepromBytes(*board, 4), (Bytes{0x12, 0x34, 0xFF, 0xFF}));
    EXPECT_EQ(statusText(frame, 0), "Zapisano  2  bajty.");
    EXPECT_EQ(statusText(frame, 1), "");
    EXPECT_TRUE(redCells(shownGrid(frame)).empty());
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}

TEST(TargetWrite, OneMc9s12WordFollowsTheMassEraseWithEveryPause)
{
    auto [frame, board] = connectFreshBoard("MC9S12DT128", 16, "16MHz");
    ASSERT_EQ(frame.startField->GetValue(), "2000");
    frame.countField->SetValue("2");
    fillBuffer(frame, {0x12, 0x34});
    std::fill(board->eeprom().begin(), board->eeprom().end(), 0x00); // the mass erase must clear it

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.writeButton);
    }
    Lines expected{
        "30 U 00",       "0 C 00 12",
        "0 z 01 14 FF",  // EPROT: open all
        "10 C 01 14",    "0 C 01 10", // EPROT back, ECLKDIV
        "0 z 01 10 4A",  // ECLKDIV: 16 MHz / 11
        "10 C 01 10",    "0 C 01 15", // ECLKDIV back, ESTAT idle
        "0 s 20 00 FF FF", "10 z 01 16 41", "10 z 01 15 C1", // mass erase launched
    };
    // The erase takes 100 ms: polls 10 ms apart (each 0.8 ms request, 0.26 ms answer) until CCIF.
    expected.push_back("20 C 01 15");
    for (int poll = 1; poll < 9; ++poll)
        expected.push_back("10 C 01 15");
    expected.insert(expected.end(), {
                                        "0 C 01 15",          // PVIOL/ACCERR
                                        "80 s 20 00 12 34",   // 20 ms and two flushes
                                        "10 z 01 16 20",      // word program
                                        "20 z 01 15 80",      // launch
                                        "20 C 01 15",         // 10 ms, then the poll's 10 ms
                                        "0 L 20 00",          // verify
                                    });
    EXPECT_EQ(exchangeSince(*board, t0), expected) << board->trace().dump();
    EXPECT_EQ(eepromBytes(*board, 4), (Bytes{0x12, 0x34, 0xFF, 0xFF}));
    EXPECT_EQ(statusText(frame, 0), "Zapisano  2  bajty.");
    EXPECT_TRUE(redCells(shownGrid(frame)).empty());
}

TEST(TargetWrite, AByteThatNeverProgramsTurnsRedAfterFiveProgrammingsAndIsReported)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {3};
    auto [frame, board] = connectFreshBoard("HC12B", 16, "16MHz", faults);
    frame.countField->SetValue("8");
    const Bytes contents{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    fillBuffer(frame, contents);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Nie udało się zapisać 1komórek"));
        clickButton(frame.writeButton);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectErrorBox(boxes.shown()[0], wxOK);
    }
    const Lines frames = board->trace().frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "s 0D 02 03 04"), 5);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "s 0D 02 FF FF"), 1); // erased once only

    EXPECT_EQ(eepromBytes(*board, 8), (Bytes{0x01, 0x02, 0x03, 0xFF, 0x05, 0x06, 0x07, 0x08}));
    EXPECT_EQ(redCells(shownGrid(frame)), std::vector<std::size_t>{3});
    EXPECT_EQ(statusText(frame, 0), "Zapisano  8  bajtów.");
    EXPECT_EQ(statusText(frame, 1), "Nieudanych zapisów:  1");
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_EQ(bufferBytes(frame, 8), contents); // the buffer itself is not changed
}

TEST(TargetWrite, AnsweringNoToTheFirstQuestionStopsAndCountsTheRestAsFailed)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {0};
    auto [frame, board] = connectFreshBoard("HC12B", 16, "16MHz", faults);
    frame.countField->SetValue("20");
    fillBuffer(frame, randomBytes(20, 3));
    shownGrid(frame).setByte(0, 0x00);
    {
        // One failure is 20 / 20: the question comes after the first word.
        ScriptedBoxes boxes;
        boxes.expect(wxID_NO, pl("Nie udało się zapisać 1komórek\nCzy kontynuować?"))
            .expect(wxID_OK, pl("Nie udało się zapisać 21komórek"));
        clickButton(frame.writeButton);
        ASSERT_EQ(boxes.shown().size(), 2u);
        expectErrorBox(boxes.shown()[0], wxYES_NO);
        expectErrorBox(boxes.shown()[1], wxOK);
    }
    EXPECT_EQ(statusText(frame, 0), "Zapisano  0  bajtów.");
    EXPECT_EQ(statusText(frame, 1), "Nieudanych zapisów:  21");
    const Bytes untouched(18, 0xFF);
    EXPECT_EQ(Bytes(board->eeprom().begin() + 2, board->eeprom().begin() + 20), untouched);
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}

TEST(TargetWrite, AnsweringYesKeepsAskingWhileTheCountStaysAtAThreshold)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {0, 4};
    auto [frame, board] = connectFreshBoard("HC12B", 16, "16MHz", faults);
    frame.countField->SetValue("20");
    Bytes contents = randomBytes(20, 5);
    contents[0] = contents[4] = 0x00;
    fillBuffer(frame, contents);
    {
        // 1 is 20 / 20 (words 0 and 2), 2 is 20 / 10 (word 4 and every word after it).
        ScriptedBoxes boxes;
        boxes.expect(wxID_YES, pl("Nie udało się zapisać 1komórek\nCzy kontynuować?"))
            .expect(wxID_YES, pl("Nie udało się zapisać 1komórek\nCzy kontynuować?"));
        for (int word = 4; word < 20; word += 2)
            boxes.expect(wxID_YES, pl("Nie udało się zapisać 2komórek\nCzy kontynuować?"));
        boxes.expect(wxID_OK, pl("Nie udało się zapisać 2komórek"));
        clickButton(frame.writeButton);
    }
    EXPECT_EQ(statusText(frame, 0), "Zapisano  20  bajtów.");
    EXPECT_EQ(statusText(frame, 1), "Nieudanych zapisów:  2");
    EXPECT_EQ(redCells(shownGrid(frame)), (std::vector<std::size_t>{0, 4}));
    Bytes expected = contents;
    expected[0] = expected[4] = 0xFF;
    EXPECT_EQ(eepromBytes(*board, 20), expected);
}
