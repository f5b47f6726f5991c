// Opens the device behind a port name ("COM1" ... "COM4"; the command line
// also names a device path or a simulated board directly). The program uses the
// system opener (environment, serial devices, simulated boards); tests hand the
// window an opener of their own that wires a port to a simulated board they hold.
#pragma once

#include <memory>
#include <string>

#include "serial/SerialPort.h"

struct PortOpenResult {
    std::unique_ptr<SerialPort> port; // empty when the open failed
    std::string device;               // what the name was resolved to, e.g. "/dev/ttyUSB0"
    std::string reason;               // why the open failed, for the second line of the box
    bool permissionDenied = false;    // the user is not in the dialout group
};

class PortOpener {
public:
    virtual ~PortOpener() = default;
    virtual PortOpenResult open(const std::string& portName) = 0;
};
