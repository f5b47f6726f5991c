// Where a window sits inside another one's client area, as drawn on the
// screen. The tool-bar controls live in a container on GTK, so their own
// positions are relative to it, not to the tool bar.
#pragma once

#include <wx/window.h>

inline wxPoint positionIn(const wxWindow* window, const wxWindow* reference)
{
    return reference->ScreenToClient(window->GetScreenPosition());
}
