// The stable names udev gives serial devices: /dev/serial/by-id holds one
// symbolic link per adapter, named after its maker, model and serial number,
// that survives replugging, while /dev/ttyUSB0 may become /dev/ttyUSB1.
#pragma once

#include <map>
#include <string>
#include <vector>

// For each device that a link of `folder` points at (by its real path, such as
// "/dev/ttyUSB0"), the links' paths in name order. Empty when there is no such
// folder (no USB serial adapter plugged in).
std::map<std::string, std::vector<std::string>> serialDeviceAliases(const std::string& folder = "/dev/serial/by-id");
