// The notebook of buffer pages (at most eight).
// (Stub: one page, no grid yet.)
#pragma once

#include <wx/notebook.h>

class BufferBook : public wxNotebook {
public:
    BufferBook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
               const wxString& name);
};
