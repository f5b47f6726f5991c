#include "app/MessageBox.h"

#include <utility>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

#include "app/UiText.h"

int showMessageBox(const wxString& text, const wxString& caption, long style)
{
    // Without an icon flag GTK would pick one; wxICON_NONE keeps the box plain.
    if ((style & wxICON_MASK) == 0)
        style |= wxICON_NONE;
    wxMessageDialog dialog(nullptr, text, caption, style);
    // The buttons would follow the system's language ("Yes" and "No" under
    // English or C) beside the program's Polish questions.
    dialog.SetYesNoCancelLabels(uiText(texts::BUTTON_YES), uiText(texts::BUTTON_NO), uiText(texts::BUTTON_CANCEL));
    dialog.SetOKLabel(uiText(texts::BUTTON_OK));
    return dialog.ShowModal();
}

void labelButtonsInPolish(wxDialog& box)
{
    const std::pair<int, Text> labels[] = {{wxID_OK, texts::BUTTON_OK},
                                           {wxID_CANCEL, texts::BUTTON_CANCEL},
                                           {wxID_YES, texts::BUTTON_YES},
                                           {wxID_NO, texts::BUTTON_NO}};
    for (const auto& [id, label] : labels)
        if (auto* button = dynamic_cast<wxButton*>(box.FindWindow(id)))
            button->SetLabel(uiText(label));
}
