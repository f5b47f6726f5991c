#include "GridKeys.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "RealInput.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

GridKeys::GridKeys(BufferGrid& grid)
{
    wxEvtHandler::AddFilter(this);
    wxGetTopLevelParent(&grid)->Raise();
    grid.GetGridWindow()->SetFocus();
    // On GTK the grid itself holds the focus for its cells.
    const auto focused = [&grid] {
        const wxWindow* focus = wxWindow::FindFocus();
        return focus == &grid || focus == grid.GetGridWindow();
    };
    settleUntil(focused);
    EXPECT_TRUE(focused()) << "the grid did not get the focus";
}

GridKeys::~GridKeys() { wxEvtHandler::RemoveFilter(this); }

int GridKeys::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_KEY_UP)
        ++keysReleased_;
    return Event_Skip;
}

void GridKeys::press(int key, int modifiers)
{
    // The key's release comes after its press has been handled; the
    // modifiers' releases follow it.
    const int before = keysReleased_;
    keyboard_.Char(key, modifiers);
    settleUntil([&] { return keysReleased_ > before; });
}

void GridKeys::type(const char* keys)
{
    for (const char* key = keys; *key; ++key)
        press(*key);
}

void putOnClipboard(const wxString& text)
{
    wxClipboardLocker locker;
    ASSERT_TRUE(!!locker);
    wxTheClipboard->SetData(new wxTextDataObject(text));
}

void emptyClipboard()
{
    wxClipboardLocker locker;
    wxTheClipboard->Clear();
}

wxString clipboardText()
{
    wxClipboardLocker locker;
    wxTextDataObject data;
    if (!locker || !wxTheClipboard->GetData(data))
        return "(no text)";
    return data.GetText();
}

void HexEditPage::SetUp()
{
    frame.startField->SetValue("0800");
    frame.countField->SetValue("64");
    sendMenu(frame, ID_NEW_BUFFER);
    grid = frame.bufferBook->currentBuffer;
    for (std::size_t k = 0; k < 64; ++k)
        grid->setByte(k, std::uint8_t(0x30 + k));
    keys = std::make_unique<GridKeys>(*grid);
}

void HexEditPage::TearDown()
{
    keys.reset();
    frame.bufferBook->closeCurrentPage();
    frame.fillField->SetValue("FF");
    frame.startField->SetValue("0000");
    frame.countField->SetValue("512");
}
