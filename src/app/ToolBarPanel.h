// The container on the tool bar. wxGTK shows only tool-bar children that were
// added with AddControl, which takes a control; this one holds the tool-bar
// fields, combo boxes, labels and the fill button, and passes Tab between them
// in creation order as a panel would.
#pragma once

#include <wx/containr.h>
#include <wx/control.h>

class ToolBarPanel : public wxNavigationEnabled<wxControl> {
public:
    ToolBarPanel(wxWindow* parent, const wxSize& size)
    {
        Create(parent, wxID_ANY, wxDefaultPosition, size, wxBORDER_NONE | wxTAB_TRAVERSAL);
    }
};
