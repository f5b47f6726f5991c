// Connecting to the target: resetting the interface and checking its greeting,
// the crystal (chosen or detected) and the MC9S12 parameter query.
#pragma once

#include "procedures/TargetSession.h"

// The crystal combo box's choice: sets the divider and sends it ("Auto" changes nothing).
void selectCrystal(TargetSession& session);

// Resets the interface with an RTS pulse; true when it greeted correctly.
bool resetInterface(TargetSession& session);

// The connect command.
void connectTarget(TargetSession& session);
