#include "app/ToolBarPanel.h"

#include <algorithm>
#include <vector>

ToolBarPanel::ToolBarPanel(wxWindow* parent, const wxSize& size)
{
    Create(parent, wxID_ANY, wxDefaultPosition, size, wxBORDER_NONE | wxTAB_TRAVERSAL);
    Bind(wxEVT_CHAR_HOOK, &ToolBarPanel::onCharHook, this);
}

void ToolBarPanel::onCharHook(wxKeyEvent& event)
{
    event.Skip();
    const int modifiers = event.GetModifiers();
    if (event.GetKeyCode() != WXK_TAB || (modifiers != wxMOD_NONE && modifiers != wxMOD_SHIFT))
        return;
    std::vector<wxWindow*> order;
    for (wxWindow* child : GetChildren()) {
        if (child->IsShown() && child->IsEnabled() && child->AcceptsFocusFromKeyboard())
            order.push_back(child);
    }
    // The focus may sit in a part of a control (a combo box's entry).
    wxWindow* focused = FindFocus();
    while (focused && focused->GetParent() != this)
        focused = focused->GetParent();
    const auto at = std::find(order.begin(), order.end(), focused);
    if (at == order.end())
        return;
    const std::ptrdiff_t next = (at - order.begin()) + (modifiers == wxMOD_SHIFT ? -1 : 1);
    if (next < 0 || next >= std::ptrdiff_t(order.size()))
        return; // GTK takes the focus out of the tool bar
    order[std::size_t(next)]->SetFocus();
    event.Skip(false);
}
