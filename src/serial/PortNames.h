// What a port name of the menu ("COM1" ... "COM4") stands for on this machine:
// the ROVIDADA_COMn variable when set (a device path, a simulated board or a
// serial port on another machine), otherwise the n-th serial port found,
// otherwise /dev/ttyS{n-1}. The rules are pure functions of the environment and
// the device list, so they can be tested.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a port name or a port value stands for: a device to open, a simulated
// board, a serial port served over RFC 2217, or why it cannot be used.
struct ResolvedPort {
    enum class Kind { Device, Simulated, Rfc2217, Invalid };
    Kind kind = Kind::Invalid;
    std::string device;  // Device: the path; Simulated: "sim:MODEL@nMHz"; Rfc2217: the value; Invalid: what was given
    std::string model;   // Simulated: the target's model name
    int crystalMHz = 16; // Simulated: the target's crystal
    std::string reason;  // Invalid: why it cannot be used
    std::string host;    // Rfc2217: a name or an IP address (an IPv6 one without its brackets)
    std::uint16_t tcpPort = 0; // Rfc2217
};

// Value of an environment variable, none when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
// Names of the ttys with serial hardware behind them ("ttyUSB0", "ttyS0", ...), any order.
using SerialDeviceLister = std::function<std::vector<std::string>()>;

ResolvedPort resolvePortName(const std::string& portName, const EnvironmentLookup& environment,
                             const SerialDeviceLister& listDevices);

// What a port value stands for, wherever it was given: a device path
// ("/dev/ttyUSB0"), a simulated board ("sim", "sim:MODEL", "sim:MODEL@nMHz") or
// a serial port served by RFC 2217 ("rfc2217://HOST:PORT", an IPv6 address in
// brackets). `shownAs` names the value in the box when it is not understood.
ResolvedPort resolvePortValue(const std::string& value, const std::string& shownAs);

// A port as the command line takes it: a port name "COMn" as above, or a port
// value given directly.
ResolvedPort resolvePortNameOrValue(const std::string& given, const EnvironmentLookup& environment,
                                    const SerialDeviceLister& listDevices);

// The machine's serial devices ("/dev/ttyUSB0", ...) in the order "COMn"
// counts them: /dev/ttyUSB*, then /dev/ttyACM*, then /dev/ttyS*, each by number.
std::vector<std::string> serialDevicesInComOrder(const SerialDeviceLister& listDevices);

// The process environment (an empty value counts as unset).
std::optional<std::string> systemEnvironment(const std::string& name);

// The serial ttys of /sys/class/tty that have a device behind them. The 8250
// driver registers all its ports, present or not, so a ttyS counts only when
// its UART type is known (not 0).
std::vector<std::string> listSerialDevices(const std::string& sysClassTty = "/sys/class/tty");

// Why a device could not be opened, for the port box: the common reasons in
// Polish, any other in the system's words.
std::string portOpenReason(int error);

// The port box text: "Niewłaściwa nazwa portu lub port jest aktywny.", then
// "<device>: <reason>", then the dialout hint when permission was denied. A
// very long device name or reason keeps only its start and end.
std::string portOpenFailureText(std::string_view device, std::string_view reason, bool permissionDenied);
