// Programming the buffer shown into the target's EEPROM, with read-back
// verification, on the register procedure of the family the last connect
// found (WriteEepromFamily.h).
#pragma once

#include "procedures/TargetSession.h"

void writeEeprom(TargetSession& session);
