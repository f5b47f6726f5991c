// Real key presses into a buffer grid (XTest under Xvfb), the way the user
// reaches the hex editor's actions, and the clipboard they go through.
#pragma once

#include <functional>
#include <memory>

#include <wx/eventfilter.h>
#include <wx/uiaction.h>

#include "GuiHarness.h"

class BufferGrid;

class GridKeys : public wxEventFilter {
public:
    // Raises the window and puts the focus on the grid's cells.
    explicit GridKeys(BufferGrid& grid);
    ~GridKeys() override;

    // One key (a lower-case letter, a digit or a WXK_ code) with modifiers,
    // then waits until the window has handled it.
    void press(int key, int modifiers = wxMOD_NONE);
    void type(const char* keys);

    int FilterEvent(wxEvent& event) override;

private:
    wxUIActionSimulator keyboard_;
    int keysReleased_ = 0;
};

void putOnClipboard(const wxString& text);
void emptyClipboard();
wxString clipboardText();

// In a freshly built window, a new page of 64 bytes from 0800 holding
// 0x30 + k (the characters "0" to "o"), with no history yet, the focus on its
// cells. It goes again afterwards.
class HexEditPage : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    MainFrame& frame = TestApp::freshFrame();
    BufferGrid* grid = nullptr;
    std::unique_ptr<GridKeys> keys;
};
