#include "app/WindowTarget.h"

#include <algorithm>

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"

namespace {

long iconStyle(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Error:
        return wxICON_ERROR;
    case BoxIcon::Warning:
        return wxICON_WARNING;
    case BoxIcon::Information:
        return wxICON_INFORMATION;
    case BoxIcon::None:
        break;
    }
    return 0;
}

} // namespace

TargetSession WindowTarget::session()
{
    return {frame_.link(), *this, *this, frame_.currentModel, frame_.mc9s12Mode, frame_.crystalMHz};
}

BufferGrid& WindowTarget::grid() { return *frame_.bufferBook->currentBuffer; }

void WindowTarget::setStatus(int field, const std::string& text) { frame_.SetStatusText(uiText(text), field); }

std::string WindowTarget::status(int field) { return frame_.GetStatusBar()->GetStatusText(field).utf8_string(); }

void WindowTarget::showBox(const std::string& text, Text caption, BoxIcon icon)
{
    showMessageBox(uiText(text), uiText(caption), wxOK | iconStyle(icon));
}

bool WindowTarget::askYesNo(const std::string& text, Text caption, BoxIcon icon)
{
    return showMessageBox(uiText(text), uiText(caption), wxYES_NO | iconStyle(icon)) == wxID_YES;
}

void WindowTarget::progressStart(std::uint32_t total) { frame_.progress().progressStart(total); }
void WindowTarget::progressStep() { frame_.progress().progressStep(); }
void WindowTarget::progressFinish() { frame_.progress().progressFinish(); }

void WindowTarget::setStartField(std::uint16_t start)
{
    frame_.startField->SetValue(wxString::Format("%04X", unsigned(start)));
}

void WindowTarget::setCountField(std::uint32_t count)
{
    frame_.countField->SetValue(wxString::Format("%u", unsigned(count)));
}

std::string WindowTarget::crystalChoice() { return frame_.crystalCombo->GetValue().utf8_string(); }

void WindowTarget::selectCrystalItem(int item) { frame_.crystalCombo->SetSelection(item); }

std::string WindowTarget::shownPageTitle()
{
    BufferBook& book = *frame_.bufferBook;
    return book.GetPageText(std::size_t(book.GetSelection())).utf8_string();
}

bool WindowTarget::openBufferPage() { return !frame_.bufferBook->newPage(uiText(texts::BUFFER_BASE_NAME)).empty(); }

void WindowTarget::openFirstPort()
{
    // Exactly what the user's choice of "COM 1" does: the radio item is
    // checked and its command goes through the menu to the frame's handler.
    // wxFrame::ProcessCommand would drop the command, since "COM 1" is shown
    // checked (the first of its group) before any port has been chosen.
    frame_.connMenu->Check(ID_COM1, true);
    frame_.connMenu->SendEvent(ID_COM1, 1);
}

void WindowTarget::enableTargetCommands(bool mc9s12)
{
    frame_.readButton->Enable();
    frame_.writeButton->Enable();
    frame_.readButton->SetDefault();
    frame_.connMenu->Enable(ID_WRITE_EEPROM, true);
    frame_.connMenu->Enable(ID_READ_EEPROM, true);
    if (mc9s12) {
        frame_.selectionCheck->SetValue(false);
        frame_.selectionCheck->Disable();
    } else {
        frame_.selectionCheck->Enable();
    }
}

bool WindowTarget::selectionChecked() { return frame_.selectionCheck->GetValue(); }

std::uint32_t WindowTarget::byteCount() { return grid().byteCount; }
std::uint16_t WindowTarget::startAddress() { return static_cast<std::uint16_t>(grid().startAddress); }
std::uint32_t WindowTarget::capacity() { return std::uint32_t(grid().capacity()); }
void WindowTarget::createGrid(std::uint32_t count)
{
    if (!frame_.bufferBook->createGrid(count))
        throw GridNotCreated{};
}
void WindowTarget::setByte(std::uint32_t offset, std::uint8_t value)
{
    grid().setByte(offset, value);
    noteChanged(offset);
}
std::uint8_t WindowTarget::getByte(std::uint32_t offset) { return grid().getByte(offset); }
bool WindowTarget::isEmpty(std::uint32_t offset) { return grid().isHexCellEmpty(offset); }
bool WindowTarget::isSelected(std::uint32_t offset) { return grid().isSelected(offset); }
void WindowTarget::markRed(std::uint32_t offset)
{
    grid().markRed(offset);
    noteChanged(offset);
}
void WindowTarget::selectOnly(std::uint32_t offset) { grid().selectOnlyByte(offset); }
void WindowTarget::scrollToTop() { grid().Scroll(-1, 0); }
void WindowTarget::scrollVertically(std::uint32_t position) { grid().Scroll(-1, int(position)); }
void WindowTarget::moveCursorDownPage() { grid().MovePageDown(); }
void WindowTarget::noteChanged(std::uint32_t offset)
{
    changedFirst_ = std::min(changedFirst_, offset);
    changedLast_ = std::max(changedLast_, offset);
}

void WindowTarget::repaint()
{
    // Only the rows of the bytes changed since the last call: the window's
    // turns during a long read or write then draw a row or two, not the grid.
    if (changedFirst_ > changedLast_)
        return;
    const auto perRow = std::uint32_t(BYTES_PER_ROW);
    grid().refreshRows(int(changedFirst_ / perRow), int(changedLast_ / perRow));
    changedFirst_ = UINT32_MAX;
    changedLast_ = 0;
}
