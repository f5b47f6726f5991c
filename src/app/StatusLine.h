// The main window's status bar. While an operation runs, the gauge over
// field 2 moves at every one of the window's turns and GTK has the status bar
// paint the gauge's area each time; a new text in a field repaints that field.
// The toolkit's status bar measures its font and lays out the text of every
// field on each paint, however small the area: about a seventh of each turn
// went there. The status line paints a field alone when nothing else needs it.
//
// A new text waits for the next paint. The toolkit's status bar draws it at
// once, and with it the whole window, outside GTK's frame cycle: a notebook
// page added a moment before was then drawn before GTK had placed its tab
// (GTK's "gadget with negative dimensions" warning). The window's turns during
// an operation paint the text soon enough.
#pragma once

#include <wx/statusbr.h>

#include "app/SteadyDefaults.h"

class StatusLine : public SteadyDefaults<wxStatusBar> {
public:
    StatusLine(wxWindow* parent, wxWindowID id, long style, const wxString& name);

    // Pixels a text in `field` may take before it is cut: the field less its
    // margins, and in the last field less the size grip.
    int textWidth(int field) const;

protected:
    void DoUpdateStatusText(int field) override;

private:
    void onPaint(wxPaintEvent& event);
    // The field whose area holds everything to be painted now, or -1.
    int onlyFieldToPaint() const;

    wxFont measuredFont_;   // the font textHeight_ belongs to
    int textHeight_ = 0;
};
