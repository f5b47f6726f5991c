// The status line on Windows: the native status bar paints its own fields
// (the cost the GTK status line avoids does not arise), so a new text goes
// straight to it.
#include "app/StatusLine.h"

#include <algorithm>

StatusLine::StatusLine(wxWindow* parent, wxWindowID id, long style, const wxString& name)
    : SteadyDefaults<wxStatusBar>(parent, id, style, name)
{
}

int StatusLine::textWidth(int field) const
{
    constexpr int TEXT_MARGIN = 2; // the control's, on each side of a field's text
    wxRect area;
    if (!GetFieldRect(field, area))
        return 0;
    int right = area.GetRight();
    // The size grip takes a square as high as the bar at the right end.
    if (field == GetFieldsCount() - 1 && HasFlag(wxSTB_SIZEGRIP))
        right = std::min(right, GetClientSize().x - GetClientSize().y);
    return right + 1 - area.x - 2 * TEXT_MARGIN;
}

void StatusLine::DoUpdateStatusText(int field) { SteadyDefaults<wxStatusBar>::DoUpdateStatusText(field); }
