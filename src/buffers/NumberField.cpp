#include "buffers/NumberField.h"

#include "app/Identifiers.h"

wxBEGIN_EVENT_TABLE(NumberField, wxTextCtrl)
    EVT_TEXT(ID_NUMBER_FIELD, NumberField::onTextChanged)
wxEND_EVENT_TABLE()

NumberField::NumberField(wxWindow* parent, wxWindowID id, NumberFilter filterKind, int maxLength,
                         const wxString& value, const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
    : wxTextCtrl(parent, id, value, pos, size, style, wxDefaultValidator, name),
      filterKind(filterKind),
      maxLength(maxLength)
{
}

void NumberField::onTextChanged(wxCommandEvent&)
{
    const long caret = GetInsertionPoint();
    const NumberFieldEdit edit = applyNumberFieldRule(GetValue().ToStdWstring(), caret, filterKind, maxLength);
    const wxString cleaned(edit.text);
    // ChangeValue raises no text event, so writing back cannot loop.
    if (cleaned != GetValue())
        ChangeValue(cleaned);
    if ((GetName() == "ile" || GetName() == "start") && handOver_)
        handOver_();
    SetInsertionPoint(edit.caret);
}
