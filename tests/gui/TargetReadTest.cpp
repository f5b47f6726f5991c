// Reading the EEPROM through the window's read button: the words asked for,
// what the cells and the status bar show, red cells for unstable bytes, and a
// line error in the middle of the read.
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>

#include "TargetSupport.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"

namespace {

using Lines = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

void setEeprom(SimulatedBoard& board, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), board.eeprom().begin());
}

} // namespace

TEST(TargetRead, AnOddCountOfFiveFrom0800ReadsThreeWordsTwiceEach)
{
    auto [frame, board] = connectFreshBoard("HC912Dx128x", 16, "16MHz");
    const Bytes contents{0x12, 0x34, 0x00, 0xA5, 0xFF, 0x5A, 0x77, 0x88};
    setEeprom(*board, contents);
    frame.countField->SetValue("5");
    ASSERT_EQ(frame.startField->GetValue(), "0800");

    const std::uint64_t t0 = TestApp::clock().nowUs();
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.readButton);
    }
    EXPECT_EQ(frame.countField->GetValue(), "6");
    // A word's second request follows its 1 ms pause and the two answer bytes
    // (0.52 ms); the next word's first request follows the answer alone.
    EXPECT_EQ(exchangeSince(*board, t0), (Lines{
                                             "31 U 00", // 1 ms, then the flush's 30 ms
                                             "0 C 08 00", "0 L 08 00", "2 L 08 00",
                                             "1 L 08 02", "2 L 08 02",
                                             "1 L 08 04", "2 L 08 04",
                                         }))
        << board->trace().dump();

    BufferGrid& grid = shownGrid(frame);
    EXPECT_EQ(grid.byteCount, 6u);
    EXPECT_EQ(bufferBytes(frame, 6), Bytes(contents.begin(), contents.begin() + 6));
    for (std::size_t k = 6; k < grid.capacity(); ++k)
        EXPECT_TRUE(grid.isHexCellEmpty(k)) << k;
    EXPECT_TRUE(redCells(grid).empty());
    EXPECT_EQ(statusText(frame, 0), "Przeczytano  6  bajtów.");
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_TRUE(targetCommandsEnabled(frame));
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}

TEST(TargetRead, AByteThatReadsDifferentlyEveryOtherTimeIsRedAndKeepsItsFirstReading)
{
    SimFaults faults;
    faults.unstableAddresses = {0x0D03};
    auto [frame, board] = connectFreshBoard("HC12B", 16, "16MHz", faults);
    const Bytes contents{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80};
    setEeprom(*board, contents);
    frame.countField->SetValue("8");
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.readButton);
    }
    EXPECT_EQ(bufferBytes(frame, 8), contents);
    EXPECT_EQ(redCells(shownGrid(frame)), std::vector<std::size_t>{3});
    // The unstable word was asked for three times, twice each.
    const Lines frames = board->trace().frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "L 0D 02"), 6);
    EXPECT_EQ(statusText(frame, 0), "Przeczytano  8  bajtów.");
}

TEST(TargetRead, ALineErrorInTheThirdWordShowsItsBoxesStopsAndDisconnects)
{
    // Answer bytes: greeting 0-3 and probe 4 while connecting; the read's
    // opening 'C' 5, then four per word: the third word's second byte is 15.
    SimFaults faults;
    faults.lineErrors = {{15, LineError::FRAME | LineError::RXPARITY}};
    auto [frame, board] = connectFreshBoard("HC12B", 16, "16MHz", faults);
    const Bytes contents = randomBytes(768, 7);
    setEeprom(*board, contents);
    frame.selectionCheck->SetValue(true);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Wykryto błędy w ramce"))
            .expect(wxID_OK, pl("Wykryto błąd parzystości"))
            .expect(wxID_OK, pl("Utracono połącznie z interfejsem! "));
        clickButton(frame.readButton);
        ASSERT_EQ(boxes.shown().size(), 3u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(boxes.shown()[i].caption, pl("Błąd"));
            EXPECT_TRUE(boxes.shown()[i].style & wxICON_WARNING);
        }
        EXPECT_EQ(boxes.shown()[2].caption, pl("Błąd"));
        EXPECT_TRUE(boxes.shown()[2].style & wxICON_ERROR);
    }
    EXPECT_EQ(statusText(frame, 0), "Przeczytano  4  bajty.");
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
    EXPECT_FALSE(frame.selectionCheck->IsEnabled());
    EXPECT_TRUE(frame.connectButton->IsEnabled());

    // The third word holds what arrived before the error: its first byte, and 0.
    BufferGrid& grid = shownGrid(frame);
    EXPECT_EQ(bufferBytes(frame, 6), (Bytes{contents[0], contents[1], contents[2], contents[3], contents[4], 0}));
    for (std::size_t k = 6; k < 768; ++k)
        ASSERT_TRUE(grid.isHexCellEmpty(k)) << k;
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}
