// GTK 3 draws entries, combo boxes and buttons with generous minimum heights
// and paddings (a 35-px entry, a 100 x 50 bitmap button) that the window's
// fixed pixel layout has no room for. This trims them for the controls that
// ask for it, through one application style sheet and a style class.
#pragma once

class wxComboBox;
class wxToolBar;
class wxWindow;

// Marks the window (and, through the style sheet, its inner entry and button
// parts) as compact. Installs the style sheet on first use.
void makeCompact(wxWindow* window);

// As makeCompact, and a combo box as low as GTK allows (18 pixels).
void makeTight(wxWindow* window);

// Width in pixels that GTK lays item `index` (a tool or a separator) of a
// realised tool bar out with; `fallback` when there is no such GTK item.
int toolItemWidth(wxToolBar* toolBar, int index, int fallback);

// Width in pixels of the part of a single-line text control that shows its
// text: the control less its border and padding.
int entryTextWidth(const wxWindow* entry);

// The combo box's list as wide as its longest entry, however narrow the
// combo box itself (GTK makes it as wide as the combo box and cuts entries).
void listShowsWholeEntries(wxComboBox* combo);
