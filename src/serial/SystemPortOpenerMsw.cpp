// Opening what a port name resolves to, on Windows: the system's COM ports and
// simulated boards. Serial ports on another machine (rfc2217://) are reached
// by the Linux build only; their values are still understood, so the box says
// why instead of calling them unknown.
#include "serial/SystemPortOpener.h"

#include <utility>

#include "serial/WindowsSerialPort.h"
#include "texts/WindowsTexts.h"

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
        return WindowsSerialPort::open(resolved.device);
    case ResolvedPort::Kind::Rfc2217: {
        PortOpenResult result;
        result.device = resolved.device;
        result.reason = toStdString(texts::PORT_REASON_NO_RFC2217);
        return result;
    }
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
