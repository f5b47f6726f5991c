// The one way a program text reaches wx.
#pragma once

#include <wx/string.h>

#include "texts/Texts.h"

inline wxString uiText(Text text)
{
    return wxString::FromUTF8(reinterpret_cast<const char*>(text.data()), text.size());
}

inline wxString uiText(const std::string& utf8)
{
    return wxString::FromUTF8(utf8.data(), utf8.size());
}
