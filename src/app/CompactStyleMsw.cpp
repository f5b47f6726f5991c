// Windows draws entries, combo boxes and buttons at the sizes the fixed pixel
// layout was made for, so nothing is trimmed; only the combo boxes' lists are
// widened to their longest entry, as GTK needs too.
#include "app/CompactStyle.h"

#include <algorithm>

#include <windows.h>

#include <wx/combobox.h>
#include <wx/toolbar.h>
#include <wx/window.h>

void makeCompact(wxWindow*) {}

void makeTight(wxWindow*) {}

int toolItemWidth(wxToolBar*, int, int fallback)
{
    // A Windows tool button of a 16-pixel bitmap is the 23 pixels the layout counts with.
    return fallback;
}

int entryTextWidth(const wxWindow* entry)
{
    // The client area is the control less its border; the edit control keeps
    // a margin of about a character's quarter on each side.
    return entry->GetClientSize().x - 2 * entry->GetCharWidth() / 4;
}

void listShowsWholeEntries(wxComboBox* combo)
{
    int widest = combo->GetSize().x;
    for (unsigned int i = 0; i < combo->GetCount(); ++i)
        widest = std::max(widest, combo->GetTextExtent(combo->GetString(i)).x + 2 * combo->GetCharWidth());
    ::SendMessageW(static_cast<HWND>(combo->GetHWND()), CB_SETDROPPEDWIDTH, WPARAM(widest), 0);
}
