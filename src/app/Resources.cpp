// Looks the compiled-in images up by name, ignoring case, and decodes them.
#include "app/Resources.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "app/EmbeddedResources.h"

namespace {

wxImage loadResourceImage(const wxString& name)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    for (const EmbeddedResource& resource : embeddedResources()) {
        if (name.CmpNoCase(resource.name) == 0) {
            wxMemoryInputStream stream(resource.data, resource.size);
            return wxImage(stream, wxBITMAP_TYPE_PNG);
        }
    }
    wxLogError("no image resource named %s", name);
    return wxImage();
}

} // namespace

wxBitmap loadResourceBitmap(const wxString& name)
{
    const wxImage image = loadResourceImage(name);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxIcon loadResourceIcon(const wxString& name)
{
    wxIcon icon;
    const wxBitmap bitmap = loadResourceBitmap(name);
    if (bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}

wxIconBundle loadResourceIconBundle(const wxString& name)
{
    wxIconBundle bundle;
    const wxImage image = loadResourceImage(name);
    if (!image.IsOk())
        return bundle;
    for (int size : {16, 32, image.GetWidth()}) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image.Scale(size, size, wxIMAGE_QUALITY_HIGH)));
        bundle.AddIcon(icon);
    }
    return bundle;
}
