#include "app/FittedFont.h"

#include <algorithm>

#include <wx/window.h>

namespace {
constexpr int SMALLEST_POINTS = 6;
}

wxFont fontToFit(const wxWindow& window, wxFont font, const std::vector<wxString>& texts, int width)
{
    const auto fits = [&](const wxFont& candidate) {
        return std::all_of(texts.begin(), texts.end(), [&](const wxString& text) {
            int textWidth = 0, textHeight = 0;
            window.GetTextExtent(text, &textWidth, &textHeight, nullptr, nullptr, &candidate);
            return textWidth <= width;
        });
    };
    while (font.GetPointSize() > SMALLEST_POINTS && !fits(font))
        font.SetPointSize(font.GetPointSize() - 1);
    return font;
}
