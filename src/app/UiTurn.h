// One turn of the window during an operation, which runs on the GUI thread
// from start to end: the window paints and sizes, and the user's clicks and
// keys stay queued until the operation has returned, so no second command
// runs inside the first. Each toolkit needs its own way to leave the input
// alone (UiTurnMsw.cpp).
#pragma once

void takeUiTurn();
