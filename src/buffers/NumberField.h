// The single-line number fields of the tool bar: start address, byte count and
// fill value. Every change of text is cleaned at once (see NumberFieldRule.h)
// and, for the start and count fields, handed to the buffer shown.
#pragma once

#include <functional>

#include <wx/textctrl.h>

#include "buffers/NumberFieldRule.h"

class NumberField : public wxTextCtrl {
public:
    NumberField(wxWindow* parent, wxWindowID id, NumberFilter filterKind, int maxLength, const wxString& value,
                const wxPoint& pos, const wxSize& size, long style, const wxString& name);

    NumberFilter filterKind;
    int maxLength;

    // Called after every change of a field named "start" or "ile": the buffer
    // shown takes both fields over.
    void setHandOver(std::function<void()> handOver) { handOver_ = std::move(handOver); }

private:
    void onTextChanged(wxCommandEvent& event);

    std::function<void()> handOver_;

    wxDECLARE_EVENT_TABLE();
};
