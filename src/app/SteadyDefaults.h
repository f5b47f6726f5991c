// wxGTK works out a window's default font and colours from GTK's style
// machinery every time they are asked for, and every paint asks (each paint's
// drawing context does). While an operation runs the window repaints every few
// tens of milliseconds: answering for the main window and its status bar
// (which repaints whenever the gauge on it moves) took about a quarter of each
// turn. The answer does not change while the program runs, so these windows
// work it out once.
#pragma once

#include <optional>

#include <wx/window.h>

template <typename Window> class SteadyDefaults : public Window {
public:
    using Window::Window;

    wxVisualAttributes GetDefaultAttributes() const override
    {
        if (!defaults_)
            defaults_ = Window::GetDefaultAttributes();
        return *defaults_;
    }

private:
    mutable std::optional<wxVisualAttributes> defaults_;
};
