// What the target tests through the window share: a fresh main window with a
// simulated board behind "COM1" (the test keeps the board to look at its
// EEPROM and its trace), the user's choices of model and crystal, the state
// of the target commands, and the exchange on the wire since a moment.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GuiHarness.h"
#include "sim/SimulatedBoard.h"

class BufferGrid;

// A program text as the window shows it (the sources are UTF-8).
wxString pl(const char* utf8);

// A board of the model (as named in the model table) and crystal, handed out
// by the first open of portName.
std::shared_ptr<SimulatedBoard> wireBoard(const std::string& portName, const std::string& model, int crystalMHz,
                                          SimFaults faults = {});

// The user's choices in the tool bar, by their texts ("MC9S12DT128", "8MHz").
void chooseModel(MainFrame& frame, const std::string& name);
void chooseCrystal(MainFrame& frame, const std::string& label);

std::string statusText(MainFrame& frame, int field);
BufferGrid& shownGrid(MainFrame& frame);

// Whether the read and write commands are open to the user: both buttons and
// both menu items (they are always switched together).
bool targetCommandsEnabled(MainFrame& frame);

// Frames and RTS changes since the clock read sinceUs, as SimTrace shows them
// ("10 z 00 F3 B7"), the first one's pause counted from sinceUs.
std::vector<std::string> exchangeSince(SimulatedBoard& board, std::uint64_t sinceUs);

// The simulated EEPROM contents, as many bytes as count.
std::vector<std::uint8_t> eepromBytes(SimulatedBoard& board, std::size_t count);
// The bytes the shown buffer's hexadecimal cells hold (count of them).
std::vector<std::uint8_t> bufferBytes(MainFrame& frame, std::size_t count);
// The bytes whose hexadecimal cell is shown in red.
std::vector<std::size_t> redCells(BufferGrid& grid);
std::vector<std::uint8_t> randomBytes(std::size_t count, unsigned seed);

// A fresh window with `model` chosen, `crystal` chosen (before any port, so
// nothing is sent) and a board behind COM1, connected; MC9S12 models show
// their "Parametry" box, which is answered. The connect must succeed.
struct ConnectedBoard {
    MainFrame& frame;
    std::shared_ptr<SimulatedBoard> board;
};
ConnectedBoard connectFreshBoard(const std::string& model, int boardMHz, const std::string& crystal,
                                 SimFaults faults = {});
