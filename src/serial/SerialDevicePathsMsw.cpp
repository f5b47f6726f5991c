// Windows: "COMn" is the system's own port COMn, opened as \\.\COMn (the only
// form that reaches COM10 and above); a value may name a port either way.
#include "serial/SerialDevicePaths.h"

#include <algorithm>
#include <cctype>

#include "texts/WindowsTexts.h"

namespace {

bool isComName(std::string_view value)
{
    if (value.size() < 4 || value.size() > 9 || !value.starts_with("COM"))
        return false;
    const std::string_view digits = value.substr(3);
    return digits[0] != '0' &&
           std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

bool namesSerialDevice(const std::string& value)
{
    return value.starts_with("\\\\.\\") || isComName(value);
}

std::string comPortDevice(int number, const SerialDeviceLister&) { return "\\\\.\\COM" + std::to_string(number); }

Text portValueExpected() { return texts::PORT_VALUE_NOT_UNDERSTOOD_WINDOWS; }
