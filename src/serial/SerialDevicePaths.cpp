// Linux: devices are paths under /dev; "COMn" is the n-th serial port found
// (USB adapters first), otherwise the n-th on-board UART.
#include "serial/SerialDevicePaths.h"

bool namesSerialDevice(const std::string& value) { return value.starts_with("/"); }

std::string comPortDevice(int number, const SerialDeviceLister& listDevices)
{
    const auto devices = serialDevicesInComOrder(listDevices);
    if (std::size_t(number) <= devices.size())
        return devices[std::size_t(number) - 1];
    return "/dev/ttyS" + std::to_string(number - 1);
}

Text portValueExpected() { return texts::PORT_VALUE_NOT_UNDERSTOOD; }
