// The commands that belong to the window itself: exit, the about box, resizing,
// the catch-all for other menu commands, the beep on the bare frame, and the
// model choice.
#include <wx/combobox.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"
#include "buffers/BufferBook.h"
#include "buffers/NumberField.h"
#include "target/ModelTable.h"

void MainFrame::onExit(wxCommandEvent&)
{
    Close(true);
    // TODO(serial): close the current port.
}

void MainFrame::onAbout(wxCommandEvent&)
{
    showMessageBox(uiText(texts::ABOUT_VERSION), uiText(texts::CAPTION_INFO), wxOK | wxICON_INFORMATION);
}

void MainFrame::onAnyMenu(wxCommandEvent&)
{
    // Menu commands without a handler of their own are consumed without effect.
}

void MainFrame::onSize(wxSizeEvent& event)
{
    event.Skip();
    // TODO(layout): the notebook's page area h - 116, with the same h.
    // h: the client area with the tool bar and the status bar, as the layout counts it.
    const int h = GetClientSize().y + (GetToolBar() ? GetToolBar()->GetSize().y : 0) +
                  (GetStatusBar() ? GetStatusBar()->GetSize().y : 0);
    if (bufferBook)
        bufferBook->resizeGrids(h - 120);
}

void MainFrame::onMouse(wxMouseEvent&)
{
    // Only the frame's own uncovered surface gets here; children keep theirs.
    wxBell();
}

void MainFrame::onModelCombo(wxCommandEvent& event)
{
    const int k = event.GetSelection();
    if (k < 0 || k >= int(modelTable().size()))
        return;
    currentModel = modelTable()[std::size_t(k)];
    startField->SetValue(wxString::Format("%04X", unsigned(currentModel.eepromStart & 0xFFFF)));
    countField->SetValue(wxString::Format("%u", unsigned(currentModel.eepromSize)));
}
