// The single-line number fields of the tool bar: start address, byte count and
// fill value. Every change of text is cleaned at once (see NumberFieldRule.h)
// and, for the start and count fields, handed to the buffer shown.
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

    // Called after every change of a field named "start" or "ile": the buffer
    // shown takes both fields over.
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
