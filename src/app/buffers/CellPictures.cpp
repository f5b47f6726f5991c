#include "app/buffers/CellPictures.h"

#include <unordered_map>
#include <vector>

#include <cairo.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>

namespace {

// A look in one font (the index of the collection's font) on one kind of
// surface (an image in memory, a window on the display).
struct PictureKey {
    CellLook look;
    std::size_t font = 0;
    cairo_surface_type_t surfaceType = CAIRO_SURFACE_TYPE_IMAGE;
    bool operator==(const PictureKey& other) const
    {
        return font == other.font && surfaceType == other.surfaceType && look.size == other.look.size &&
               look.textColour == other.look.textColour && look.background == other.look.background &&
               look.text == other.look.text;
    }
};

struct PictureKeyHash {
    std::size_t operator()(const PictureKey& key) const
    {
        std::size_t hash = std::hash<std::wstring>()(key.look.text);
        for (std::size_t part : {std::size_t(key.look.textColour.GetRGBA()), std::size_t(key.look.background.GetRGBA()),
                                 std::size_t(key.look.size.x), std::size_t(key.look.size.y),
                                 key.font, std::size_t(key.surfaceType)})
            hash = hash * 1000003u ^ part;
        return hash;
    }
};

// A look drawn once; no surface when its text does not fit its cell.
class Picture {
public:
    explicit Picture(cairo_surface_t* surface = nullptr) : surface_(surface) {}
    Picture(Picture&& other) noexcept : surface_(other.surface_) { other.surface_ = nullptr; }
    Picture& operator=(Picture&&) = delete;
    ~Picture()
    {
        if (surface_)
            cairo_surface_destroy(surface_);
    }
    cairo_surface_t* surface() const { return surface_; }

private:
    cairo_surface_t* surface_;
};

// The string renderer's drawing of a cell, onto a new surface like `target`
// (the string renderer goes through a DC, so this does too).
Picture drawPicture(cairo_surface_t* target, const wxFont& font, const CellLook& look)
{
    // Opaque (no alpha): a cell's background covers the whole picture.
    cairo_surface_t* surface = cairo_surface_create_similar(target, CAIRO_CONTENT_COLOR, look.size.x, look.size.y);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return Picture();
    }
    Picture picture(surface);
    cairo_t* cr = cairo_create(surface);
    bool fits = false;
    {
        wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr));
        dc.SetFont(font);
        const wxString text(look.text);
        const wxSize extent = dc.GetTextExtent(text);
        wxRect area(look.size);
        area.Inflate(-1);
        fits = extent.x <= area.width;
        if (fits) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(look.background));
            dc.DrawRectangle(wxRect(look.size));
            dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            dc.SetTextForeground(look.textColour);
            wxDCClipper clip(dc, area);
            dc.DrawText(text, area.x + (area.width - extent.x) / 2, area.y + (area.height - extent.y) / 2);
        }
    }
    cairo_destroy(cr);
    return fits ? std::move(picture) : Picture();
}

// The pictures of every buffer grid (painting happens on the window thread
// alone). Typed texts are kept as typed, so the set of looks is open: the
// collection starts over rather than grow without bound.
class PictureCollection {
public:
    const Picture& of(cairo_surface_t* target, const wxFont& font, const CellLook& look)
    {
        if (pictures_.size() >= MAX_PICTURES || fonts_.size() >= MAX_FONTS) {
            pictures_.clear();
            fonts_.clear();
        }
        PictureKey key{look, indexOf(font), cairo_surface_get_type(target)};
        auto found = pictures_.find(key);
        if (found == pictures_.end())
            found = pictures_.emplace(std::move(key), drawPicture(target, font, look)).first;
        return found->second;
    }

private:
    // Fonts are told apart by identity: comparing two fonts' attributes costs
    // more than drawing a cell, and the grids share a handful of font objects.
    // The copies kept here keep those identities from being reused.
    std::size_t indexOf(const wxFont& font)
    {
        for (std::size_t k = 0; k < fonts_.size(); ++k)
            if (fonts_[k].IsSameAs(font))
                return k;
        fonts_.push_back(font);
        return fonts_.size() - 1;
    }

    static constexpr std::size_t MAX_PICTURES = 4096; // about a kilobyte each
    static constexpr std::size_t MAX_FONTS = 16;
    std::vector<wxFont> fonts_;
    std::unordered_map<PictureKey, Picture, PictureKeyHash> pictures_;
};

} // namespace

bool cellPictures::paint(wxGraphicsContext& context, const wxFont& font, const CellLook& look, wxPoint where)
{
    if (context.GetRenderer() != wxGraphicsRenderer::GetCairoRenderer() || look.size.x <= 0 || look.size.y <= 0)
        return false;
    auto* cr = static_cast<cairo_t*>(context.GetNativeContext());
    // Kept to the end of the program: the pictures live on the display, which
    // is closed before static objects are destroyed.
    static auto* pictures = new PictureCollection;
    const Picture& picture = pictures->of(cairo_get_target(cr), font, look);
    if (!picture.surface())
        return false;
    cairo_save(cr);
    cairo_set_source_surface(cr, picture.surface(), where.x, where.y);
    cairo_rectangle(cr, where.x, where.y, look.size.x, look.size.y);
    cairo_fill(cr);
    cairo_restore(cr);
    return true;
}
