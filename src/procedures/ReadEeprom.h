// Reading the target's EEPROM range into the buffer shown, every word twice.
#pragma once

#include "procedures/TargetSession.h"

void readEeprom(TargetSession& session);
