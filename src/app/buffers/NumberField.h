// The single-line number fields of the tool bar: start address, byte count and
// fill value. A change of text that raises a text event (typing, pasting,
// SetValue) is cleaned at once (see NumberFieldRule.h) and handed to the buffer
// shown; ChangeValue puts a text in as it is, with neither.
#pragma once

#include <functional>

#include <wx/textctrl.h>

#include "store/NumberFieldRule.h"

class NumberField : public wxTextCtrl {
public:
    NumberField(wxWindow* parent, wxWindowID id, NumberFilter filterKind, int maxLength, const wxString& value,
                const wxPoint& pos, const wxSize& size, long style, const wxString& name);

    NumberFilter filterKind;
    int maxLength;

    // Called after every cleaned change of a field named "start" or "ile": the
    // buffer shown takes the start and count fields over. The fill field is
    // named "ile" as well, so a change of it hands the two fields over too.
    void setHandOver(std::function<void()> handOver) { handOver_ = std::move(handOver); }

protected:
    // Every text set from code (with or without an event) is what the field shows.
    void DoSetValue(const wxString& value, int flags) override;

private:
    void onTextChanged(wxCommandEvent& event);

    std::function<void()> handOver_;
    std::wstring shownText_; // the text as the field last showed it, cleaned

    wxDECLARE_EVENT_TABLE();
};
