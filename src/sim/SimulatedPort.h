// The "sim" ports: a simulated interface with a simulated target board behind
// it, reached like a serial device.
#pragma once

#include <memory>
#include <string>

#include "serial/Clock.h"
#include "serial/SerialPort.h"

// Opens a simulated board of the given model name (as in the model table, e.g.
// "HC912D60x", "MC9S12DT128") with the given crystal (4, 8 or 16 MHz). Returns
// an empty pointer and a reason for an unknown model or crystal.
std::unique_ptr<SerialPort> openSimulatedPort(const std::string& modelName, int crystalMHz, Clock& clock,
                                              std::string& reason);
