// Opening what a port name resolves to: the system's serial ports, serial
// ports on another machine (rfc2217://) and simulated boards.
#include "serial/SystemPortOpener.h"

#include <utility>

#include "serial/Rfc2217Port.h"

#ifdef _WIN32
#include "serial/WindowsSerialPort.h"
using SystemSerialPort = WindowsSerialPort;
#else
#include "serial/PosixSerialPort.h"
using SystemSerialPort = PosixSerialPort;
#endif

SystemPortOpener::SystemPortOpener(SimulatedBoardOpener openSimulated, EnvironmentLookup environment,
                                   SerialDeviceLister listDevices)
    : openSimulated_(std::move(openSimulated)), environment_(std::move(environment)),
      listDevices_(std::move(listDevices))
{
}

PortOpenResult SystemPortOpener::open(const std::string& portName)
{
    return openResolved(resolvePortNameOrValue(portName, environment_, listDevices_));
}

PortOpenResult SystemPortOpener::openResolved(const ResolvedPort& resolved)
{
    switch (resolved.kind) {
    case ResolvedPort::Kind::Device:
        return SystemSerialPort::open(resolved.device);
    case ResolvedPort::Kind::Rfc2217:
        return Rfc2217Port::open(resolved.device, resolved.host, resolved.tcpPort);
    case ResolvedPort::Kind::Simulated: {
        PortOpenResult result;
        result.device = resolved.device;
        if (openSimulated_)
            result.port = openSimulated_(resolved.model, resolved.crystalMHz, result.reason);
        return result;
    }
    case ResolvedPort::Kind::Invalid:
        break;
    }
    PortOpenResult result;
    result.device = resolved.device;
    result.reason = resolved.reason;
    return result;
}
