#include "app/EveryChoice.h"

#include <memory>

#include <wx/combobox.h>
#include <wx/menuitem.h>

void reportEveryChoice(wxComboBox& combo)
{
    auto shownBefore = std::make_shared<int>(wxNOT_FOUND);
    combo.Bind(wxEVT_COMBOBOX_DROPDOWN, [&combo, shownBefore](wxCommandEvent& event) {
        event.Skip();
        *shownBefore = combo.GetSelection();
        combo.SetSelection(wxNOT_FOUND); // raises no event
    });
    combo.Bind(wxEVT_COMBOBOX_CLOSEUP, [&combo, shownBefore](wxCommandEvent& event) {
        event.Skip();
        // GTK closes the list before it reports the entry picked, so whether
        // one was picked is known only once this event is over.
        combo.CallAfter([&combo, shownBefore] {
            if (combo.GetSelection() == wxNOT_FOUND)
                combo.SetSelection(*shownBefore);
        });
    });
}

void reportNextChoiceOf(wxMenuItem& radioItem)
{
    // Only wx's own record of the tick, not GTK's.
    radioItem.wxMenuItemBase::Check(false);
}
