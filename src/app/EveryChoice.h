// GTK reports a choice only when it changes what is chosen: choosing the entry
// a combo box already shows raises no event at all. In this window each choice
// is a command ("compare with this buffer", "preset this model") that the user
// may well want again, so every choice must reach its handler.
#pragma once

class wxComboBox;

// While the combo box's list is open no entry is chosen, so that whichever
// entry the user picks is a change; a list closed without a pick shows its
// entry again.
void reportEveryChoice(wxComboBox& combo);
