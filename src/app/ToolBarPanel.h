// The container on the tool bar. wxGTK shows only tool-bar children that were
// added with AddControl, which takes a control; this one holds the tool-bar
// fields, combo boxes, labels and the fill button, and passes Tab between them
// in creation order as a panel would.
#pragma once

#include <wx/containr.h>
#include <wx/control.h>

class ToolBarPanel : public wxNavigationEnabled<wxControl> {
public:
    ToolBarPanel(wxWindow* parent, const wxSize& size);

private:
    // GTK's tool bar sends Tab and Shift+Tab from any of its items straight
    // to the widget after (or before) the whole tool bar. Here they go to the
    // next (or previous) control that takes the keyboard, and leave the tool
    // bar only from its last (or first) one.
    void onCharHook(wxKeyEvent& event);
};
