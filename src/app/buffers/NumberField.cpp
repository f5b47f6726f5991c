#include "app/buffers/NumberField.h"

#include "app/Identifiers.h"

wxBEGIN_EVENT_TABLE(NumberField, wxTextCtrl)
    EVT_TEXT(ID_NUMBER_FIELD, NumberField::onTextChanged)
wxEND_EVENT_TABLE()

NumberField::NumberField(wxWindow* parent, wxWindowID id, NumberFilter filterKind, int maxLength,
                         const wxString& value, const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
    : wxTextCtrl(parent, id, value, pos, size, style, wxDefaultValidator, name),
      filterKind(filterKind),
      maxLength(maxLength),
      shownText_(value.ToStdWstring())
{
}

void NumberField::DoSetValue(const wxString& value, int flags)
{
    shownText_ = value.ToStdWstring();
    wxTextCtrl::DoSetValue(value, flags);
}

void NumberField::onTextChanged(wxCommandEvent&)
{
    const std::wstring typed = GetValue().ToStdWstring();
    const long caret = caretAfterInsertion(shownText_, typed, GetInsertionPoint());
    const NumberFieldEdit edit = applyNumberFieldRule(typed, caret, filterKind, maxLength);
    shownText_ = edit.text;
    const wxString cleaned(edit.text);
    // ChangeValue raises no text event, so writing back cannot loop.
    if (cleaned != GetValue())
        ChangeValue(cleaned);
    if ((GetName() == "ile" || GetName() == "start") && handOver_)
        handOver_();
    SetInsertionPoint(edit.caret);
}
