#include "app/StatusLine.h"

#include <algorithm>

#include <wx/dcclient.h>

StatusLine::StatusLine(wxWindow* parent, wxWindowID id, long style, const wxString& name)
    : SteadyDefaults<wxStatusBar>(parent, id, style, name)
{
    Bind(wxEVT_PAINT, &StatusLine::onPaint, this);
}

int StatusLine::textWidth(int field) const
{
    constexpr int TEXT_MARGIN = 2; // the toolkit's, on each side of a field's text
    wxRect area;
    if (!GetFieldRect(field, area))
        return 0;
    int right = area.GetRight();
    if (ShowsSizeGrip())
        right = std::min(right, GetSizeGripRect().GetLeft());
    return right + 1 - area.x - 2 * TEXT_MARGIN;
}

void StatusLine::DoUpdateStatusText(int field)
{
    wxRect area;
    if (GetFieldRect(field, area))
        RefreshRect(area);
}

int StatusLine::onlyFieldToPaint() const
{
    const wxRect area = GetUpdateRegion().GetBox();
    if (ShowsSizeGrip() && GetSizeGripRect().Intersects(area))
        return -1; // the grip reaches into the last field
    for (int i = 0; i < GetFieldsCount(); ++i) {
        wxRect field;
        if (GetFieldRect(i, field) && field.Contains(area))
            return i;
    }
    return -1;
}

void StatusLine::onPaint(wxPaintEvent& event)
{
    const int field = onlyFieldToPaint();
    if (field < 0) {
        event.Skip(); // the toolkit paints the whole bar
        return;
    }
    // What the toolkit does for each field, for this one: the other fields
    // and the size grip lie outside the area, where nothing is drawn now.
    wxPaintDC dc(this);
    if (GetFont().IsOk())
        dc.SetFont(GetFont());
    if (!measuredFont_.IsSameAs(GetFont())) {
        measuredFont_ = GetFont();
        textHeight_ = dc.GetCharHeight();
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    DrawField(dc, field, textHeight_);
}
