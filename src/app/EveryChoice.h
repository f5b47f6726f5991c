// GTK reports a choice only when it changes what is chosen: choosing the entry
// a combo box already shows, or the radio item already ticked, raises no event
// at all. In this window each choice is a command ("compare with this buffer",
// "preset this model", "open this port") that the user may well want again,
// so every choice must reach its handler.
#pragma once

class wxComboBox;
class wxMenuItem;

// While the combo box's list is open no entry is chosen, so that whichever
// entry the user picks is a change; a list closed without a pick shows its
// entry again.
void reportEveryChoice(wxComboBox& combo);

// wxGTK raises a radio item's menu event only when the item was not ticked by
// its own reckoning; called after each choice, the next choice of the same
// item raises it again. The tick the user sees stays.
void reportNextChoiceOf(wxMenuItem& radioItem);
