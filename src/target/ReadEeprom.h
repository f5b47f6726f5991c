// Reading the target's EEPROM range into the buffer shown, every word twice.
#pragma once

#include "target/TargetSession.h"

void readEeprom(TargetSession& session);
