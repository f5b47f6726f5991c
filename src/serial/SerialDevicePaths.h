// How this system names its serial devices: which port values are device
// paths, and which device "COMn" stands for when no ROVIDADA_COMn says
// otherwise. Linux: SerialDevicePaths.cpp; Windows: SerialDevicePathsMsw.cpp.
#pragma once

#include <string>

#include "serial/PortNames.h"
#include "texts/Texts.h"

// True when a port value names a device directly ("/dev/ttyUSB0"; on Windows "COM12", "\\.\COM12").
bool namesSerialDevice(const std::string& value);

// The device of port name "COM<number>" (number >= 1).
std::string comPortDevice(int number, const SerialDeviceLister& listDevices);

// What a port value was expected to be, for the box when it is none of them.
Text portValueExpected();
