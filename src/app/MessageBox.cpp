#include "app/MessageBox.h"

#include <wx/msgdlg.h>

int showMessageBox(const wxString& text, const wxString& caption, long style)
{
    // Without an icon flag GTK would pick one; wxICON_NONE keeps the box plain.
    if ((style & wxICON_MASK) == 0)
        style |= wxICON_NONE;
    wxMessageDialog dialog(nullptr, text, caption, style);
    return dialog.ShowModal();
}
