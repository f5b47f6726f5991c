#include "buffers/BufferBook.h"

#include <wx/panel.h>

BufferBook::BufferBook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                       const wxString& name)
    : wxNotebook(parent, id, pos, size, style, name)
{
    AddPage(new wxPanel(this), "Buf0", true);
}
