// Real clicks through the X server (XTest): where GTK itself decides which
// event a choice raises, a test must choose as the user does. A combo box's
// list is opened with a click on its arrow and an entry chosen with a click
// on it; a menu item is reached through the menu bar.
#pragma once

#include <functional>

#include <wx/gdicmn.h>

class wxComboBox;
class wxMenu;

// Handles what the window was sent until `reached` holds (2 s at most), then a
// few turns more; false when it never held.
bool settleUntil(const std::function<bool()>& reached);

// The pointer moved to a point on the screen.
void movePointerTo(wxPoint onScreen);
// A click of the left button at a point on the screen.
void clickAt(wxPoint onScreen);

// The list of a combo box, opened by a click on the combo box's arrow.
class ComboPopup {
public:
    explicit ComboPopup(wxComboBox& combo);
    // Closes the list with Escape if it is still open.
    ~ComboPopup();

    bool isOpen() const;
    int entryCount() const;
    // Whether entry i shows its whole text (the list is as wide as it needs).
    bool entryShownInFull(int i) const;
    // Clicks entry i; returns once the list is gone and the window has
    // handled the choice.
    void choose(int i);

private:
    void* menu_ = nullptr; // the GtkMenu of the list
};

// Opens `menu` from the menu bar and clicks its item `id`, as the user does.
void chooseMenuItem(wxMenu& menu, int id);
