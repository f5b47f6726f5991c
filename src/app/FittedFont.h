// Texts that must show whole in a space of fixed width (a status field, a
// number field of 50 pixels): the font is made smaller until the widest text
// the space can be given fits.
#pragma once

#include <vector>

#include <wx/font.h>
#include <wx/string.h>

class wxWindow;

// `font`, or the largest smaller size of it (down to a still legible one) in
// which each of `texts` drawn on `window` is at most `width` pixels wide.
wxFont fontToFit(const wxWindow& window, wxFont font, const std::vector<wxString>& texts, int width);
