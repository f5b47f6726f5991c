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
    const PortSpec spec = resolvePortName(portName, environment_, listDevices_);
    switch (spec.kind) {
    case PortSpec::Kind::Device:
        return PosixSerialPort::open(spec.device);
    case PortSpec::Kind::Simulated: {
        PortOpenResult result;
        result.device = spec.device;
        if (openSimulated_)
            result.port = openSimulated_(spec.model, spec.crystalMHz, result.reason);
        return result;
    }
    case PortSpec::Kind::Invalid:
        break;
    }
    PortOpenResult result;
    result.device = spec.device;
    result.reason = spec.reason;
    return result;
}
