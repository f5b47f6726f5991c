// The program's port opener: resolves "COMn" (environment, serial devices of
// this machine, /dev/ttyS{n-1}), or takes a port value given directly (the
// command line's --port), and opens a POSIX serial device, a simulated board
// or a serial port served over the network by RFC 2217. The simulator is
// handed in, so that this layer does not depend on it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "serial/PortNames.h"
#include "serial/PortOpener.h"

// Opens a simulated board of a model and crystal; empty and a reason on failure.
using SimulatedBoardOpener =
    std::function<std::unique_ptr<SerialPort>(const std::string& model, int crystalMHz, std::string& reason)>;

class SystemPortOpener : public PortOpener {
public:
    explicit SystemPortOpener(SimulatedBoardOpener openSimulated, EnvironmentLookup environment = systemEnvironment,
                              SerialDeviceLister listDevices = [] { return listSerialDevices(); });

    PortOpenResult open(const std::string& portName) override;
    // Opens what a port value was resolved to (see resolvePortValue).
    PortOpenResult openResolved(const ResolvedPort& resolved);

private:
    SimulatedBoardOpener openSimulated_;
    EnvironmentLookup environment_;
    SerialDeviceLister listDevices_;
};
