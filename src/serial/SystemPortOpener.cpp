// Opening what a port name resolves to.
#include "serial/SystemPortOpener.h"

#include <utility>

#include "serial/PosixSerialPort.h"

SystemPortOpener::SystemPortOpener(SimulatedBoardOpener openSimulated, EnvironmentLookup environment,
                                   SerialDeviceLister listDevices)
    : openSimulated_(std::move(openSimulated)), environment_(std::move(environment)),
      listDevices_(std::move(listDevices))
{
}

PortOpenResult SystemPortOpener::open(const std::string& portName)
{
    const PortSpec resolved = resolvePortValue(portName, environment_, listDevices_);
    switch (resolved.kind) {
    case PortSpec::Kind::Device:
        return PosixSerialPort::open(resolved.device);
    case PortSpec::Kind::Simulated: {
        PortOpenResult result;
        result.device = resolved.device;
        if (openSimulated_)
            result.port = openSimulated_(resolved.model, resolved.crystalMHz, result.reason);
        return result;
    }
    case PortSpec::Kind::Invalid:
        break;
    }
    PortOpenResult result;
    result.device = resolved.device;
    result.reason = resolved.reason;
    return result;
}
