// Programming the buffer shown into the target's EEPROM, with read-back
// verification, on the HC12 or the MC9S12 register path.
#pragma once

#include "procedures/TargetSession.h"

void writeEeprom(TargetSession& session);
