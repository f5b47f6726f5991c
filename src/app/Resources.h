// The program's images and icon, compiled into the executable and looked up by
// name without regard to case ("HC12BMP", "new", "connect", "IDI_ICON", ...).
#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>

wxBitmap loadResourceBitmap(const wxString& name);
wxIcon loadResourceIcon(const wxString& name);
// The icon at 16, 32 and its own size, for the window's title bar and the
// task switcher.
wxIconBundle loadResourceIconBundle(const wxString& name);
