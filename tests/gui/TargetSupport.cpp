#include "TargetSupport.h"

#include <random>

#include <wx/bmpbuttn.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"

wxString pl(const char* utf8) { return wxString::FromUTF8(utf8); }

std::shared_ptr<SimulatedBoard> wireBoard(const std::string& portName, const std::string& model, int crystalMHz,
                                          SimFaults faults)
{
    std::string reason;
    std::shared_ptr<SimulatedBoard> board = SimulatedBoard::create(model, crystalMHz, reason, std::move(faults));
    EXPECT_TRUE(board) << reason;
    TestApp::ports().wire(portName, [board, model] {
        return PortOpenResult{board->openPort(TestApp::clock()), "sim:" + model, {}, false};
    });
    return board;
}

namespace {

void chooseByText(wxComboBox* combo, const std::string& text)
{
    const int index = combo->FindString(pl(text.c_str()), true);
    ASSERT_NE(index, wxNOT_FOUND) << text;
    chooseComboItem(combo, index);
}

} // namespace

void chooseModel(MainFrame& frame, const std::string& name) { chooseByText(frame.modelCombo, name); }

void chooseCrystal(MainFrame& frame, const std::string& label) { chooseByText(frame.crystalCombo, label); }

std::string statusText(MainFrame& frame, int field)
{
    return frame.GetStatusBar()->GetStatusText(field).utf8_string();
}

BufferGrid& shownGrid(MainFrame& frame) { return *frame.bufferBook->currentBuffer; }

bool targetCommandsEnabled(MainFrame& frame)
{
    const bool read = frame.readButton->IsEnabled();
    const bool write = frame.writeButton->IsEnabled();
    const bool readItem = frame.connMenu->IsEnabled(ID_READ_EEPROM);
    const bool writeItem = frame.connMenu->IsEnabled(ID_WRITE_EEPROM);
    EXPECT_TRUE(read == write && write == readItem && readItem == writeItem)
        << "buttons " << read << write << ", menu items " << readItem << writeItem;
    return read && write && readItem && writeItem;
}

std::vector<std::string> exchangeSince(SimulatedBoard& board, std::uint64_t sinceUs)
{
    std::vector<std::string> lines;
    bool first = true;
    for (const SimTraceEntry& entry : board.trace().entries()) {
        if (entry.kind == SimTraceEntry::Kind::Note || entry.atUs < sinceUs)
            continue;
        const std::uint64_t quietUs = first ? entry.atUs - sinceUs : entry.sinceUs;
        first = false;
        lines.push_back(std::to_string((quietUs + 500) / 1000) + " " + SimTrace::describe(entry));
    }
    return lines;
}

std::vector<std::uint8_t> eepromBytes(SimulatedBoard& board, std::size_t count)
{
    const auto& cells = board.eeprom();
    return {cells.begin(), cells.begin() + std::ptrdiff_t(std::min(count, cells.size()))};
}

std::vector<std::uint8_t> bufferBytes(MainFrame& frame, std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t k = 0; k < count; ++k)
        bytes.push_back(shownGrid(frame).getByte(k));
    return bytes;
}

std::vector<std::size_t> redCells(BufferGrid& grid)
{
    std::vector<std::size_t> red;
    for (std::size_t k = 0; k < grid.capacity(); ++k)
        if (grid.isRed(k))
            red.push_back(k);
    return red;
}

std::vector<std::uint8_t> randomBytes(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

ConnectedBoard connectFreshBoard(const std::string& model, int boardMHz, const std::string& crystal,
                                 SimFaults faults)
{
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", model, boardMHz, std::move(faults));
    chooseModel(frame, model);
    chooseCrystal(frame, crystal);
    {
        ScriptedBoxes boxes;
        if (model.rfind("MC9S12", 0) == 0)
            boxes.expect(wxID_OK); // "Parametry"
        clickButton(frame.connectButton);
    }
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    return {frame, board};
}
