// The status line paints a field alone when only that field changed (a new
// text, the gauge moving): it must look exactly as when the toolkit paints
// the whole bar.
#include <wx/statusbr.h>

#include "GuiHarness.h"
#include "app/UiText.h"
#include "app/ProgressWindow.h"

namespace {

// The status bar as a field-by-field paint left it, and as a whole paint shows it.
struct TwoPaints {
    wxImage fieldByField;
    wxImage whole;
};

TwoPaints paintedTwice(wxStatusBar& statusBar)
{
    paintPending();
    TwoPaints paints{shownPixels(statusBar), {}};
    statusBar.Refresh();
    paintPending();
    paints.whole = shownPixels(statusBar);
    return paints;
}

} // namespace

TEST(StatusLineTest, ANewTextInOneFieldLooksAsAWholePaintShowsIt)
{
    wxStatusBar& statusBar = *TestApp::frame().GetStatusBar();
    statusBar.Refresh();
    paintPending();
    // One at a time, so that each paint has a single field to draw.
    statusBar.SetStatusText(wxString::FromUTF8("Wczytano 1.5  KB"), 0);
    paintPending();
    statusBar.SetStatusText(wxString::FromUTF8("Razem:  5 różnic"), 1);
    paintPending();
    statusBar.SetStatusText(wxString::FromUTF8("Połączono z interfejsem i procesorem"), 3);
    const TwoPaints paints = paintedTwice(statusBar);
    EXPECT_TRUE(samePixels(paints.fieldByField, paints.whole));
    for (int field : {0, 1, 3})
        statusBar.SetStatusText("", field);
}

TEST(StatusLineTest, AMovingGaugeLooksAsAWholePaintShowsIt)
{
    MainFrame& frame = TestApp::frame();
    wxStatusBar& statusBar = *frame.GetStatusBar();
    statusBar.SetStatusText(wxString::FromUTF8("Czytanie"), 3);
    ProgressWindow& progress = frame.progress();
    progress.progressStart(100);
    paintPending();
    for (int i = 0; i < 40; ++i)
        progress.progressStep();
    const TwoPaints paints = paintedTwice(statusBar);
    progress.progressFinish();
    statusBar.SetStatusText("", 3);
    EXPECT_TRUE(samePixels(paints.fieldByField, paints.whole));
}
