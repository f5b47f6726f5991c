// The program's images and icon, compiled into the executable and looked up by
// name without regard to case ("HC12BMP", "new", "connect", "IDI_ICON", ...).
#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>

wxBitmap loadResourceBitmap(const wxString& name);
wxIcon loadResourceIcon(const wxString& name);
