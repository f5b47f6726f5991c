// Windows' native controls do not fade their scroll bars in and out inside the
// program's window, so there is nothing to switch off.
#include "app/Animations.h"

void switchOffAnimations() {}
