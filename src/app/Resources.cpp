#include "app/Resources.h"

// Placeholder until the images are embedded: blank bitmaps of the right sizes.
wxBitmap loadResourceBitmap(const wxString& name)
{
    const wxString n = name.Lower();
    if (n == "connect" || n == "read" || n == "write")
        return wxBitmap(80, 40);
    if (n == "hc12bmp")
        return wxBitmap(87, 178);
    return wxBitmap(16, 16);
}

wxIcon loadResourceIcon(const wxString&)
{
    return wxIcon();
}
