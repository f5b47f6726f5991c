// The commands that belong to the window itself: exit and closing, the about box, resizing,
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
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "serial/SerialLink.h"
#include "procedures/ModelTable.h"

namespace {

// The part of the window's height that the buffer pages do not get: the tool
// bar, the notebook's tabs and border, and the status bar of the fixed layout.
constexpr int HEIGHT_BESIDE_PAGES = 116;
// A grid starts GRID_MARGIN pixels down its page and stops one pixel short of
// the page's bottom edge.
constexpr int GRID_GAP_BELOW = 1;

} // namespace

void MainFrame::onExit(wxCommandEvent&)
{
    if (!mayDropAllBuffers())
        return;
    Close(true); // a forced close asks nothing more
    link().closeCurrentPort();
}

void MainFrame::onClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !mayDropAllBuffers()) {
        event.Veto();
        return;
    }
    event.Skip(); // the window goes
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
    // The default handling still lays sidePanel out below the tool bar.
    event.Skip();
    if (!bufferBook || !GetToolBar() || !GetStatusBar())
        return; // sizes sent while the window is still being built
    // h counts the tool bar and the status bar, which wxGTK leaves out of the
    // frame's client area.
    const int h = GetClientSize().y + GetToolBar()->GetSize().y + GetStatusBar()->GetSize().y;
    // The page area takes the height left and keeps its width. The width is
    // kept through the notebook's own: a page that GTK has not laid out yet
    // reports a width of 20, which would shrink the notebook to a sliver.
    const int pageHeight = h - HEIGHT_BESIDE_PAGES;
    const int bookHeight = bufferBook->CalcSizeFromPage(wxSize(0, pageHeight)).y;
    bufferBook->SetSize(bufferBook->GetSize().x, bookHeight);
    bufferBook->resizeGrids(pageHeight - GRID_MARGIN - GRID_GAP_BELOW);
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
