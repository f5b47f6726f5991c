// Every message box of the program goes through here: no parent window, the
// caption, the buttons and the icon given, the buttons labelled in Polish.
// Tests answer them through wx's modal-dialog hook.
#pragma once

#include <wx/defs.h>
#include <wx/string.h>

class wxDialog;

// style: wxOK or wxYES_NO, with wxICON_ERROR, wxICON_WARNING,
// wxICON_INFORMATION, wxICON_QUESTION or no icon. Returns wxID_OK, wxID_YES or wxID_NO.
int showMessageBox(const wxString& text, const wxString& caption, long style);

// Labels the standard buttons of a box the program builds itself (OK, Cancel,
// Yes, No) in Polish; GTK would label them in the system's language.
void labelButtonsInPolish(wxDialog& box);
