// Resolution of the menu's port names and the port box text.
#include "serial/PortNames.h"

#include "texts/SystemReasons.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "serial/SerialDevicePaths.h"
#include "texts/Texts.h"

namespace {

constexpr std::string_view DEFAULT_SIM_MODEL = "MC9S12DT128";
constexpr std::string_view RFC2217_SCHEME = "rfc2217://";
constexpr int DEFAULT_SIM_CRYSTAL_MHZ = 16;

// The port box wraps its lines only at spaces, so a device named by a long
// ROVIDADA_COMn value (or a long model name in the reason) would make it wider
// than any screen. Beyond these many characters a line keeps its start and end.
constexpr std::size_t BOX_DEVICE_CHARS = 60;
constexpr std::size_t BOX_REASON_CHARS = 120;

bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// At most `limit` characters of a UTF-8 text: the first and the last ones,
// with "…" between them in place of the rest.
std::string shortenedForBox(std::string_view text, std::size_t limit)
{
    const std::size_t characters = std::size_t(std::count_if(text.begin(), text.end(), startsCharacter));
    if (characters <= limit)
        return std::string(text);
    const std::size_t kept = (limit - 1) / 2; // on each side of the "…"
    std::size_t headEnd = 0;
    for (std::size_t seen = 0; headEnd < text.size(); ++headEnd) {
        if (startsCharacter(text[headEnd]) && seen++ == kept)
            break;
    }
    std::size_t tailStart = text.size();
    for (std::size_t seen = 0; seen < kept;) {
        if (startsCharacter(text[--tailStart]))
            ++seen;
    }
    return std::string(text.substr(0, headEnd)) + "…" + std::string(text.substr(tailStart));
}

// Serial tty families in the order their ports are counted.
constexpr std::string_view DEVICE_FAMILIES[] = {"ttyUSB", "ttyACM", "ttyS"};

bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Numbers of up to six digits only: longer ones are no port or crystal of ours.
std::optional<int> smallNumber(std::string_view text)
{
    if (!isDigits(text) || text.size() > 6)
        return std::nullopt;
    return std::stoi(std::string(text));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

ResolvedPort portOf(ResolvedPort::Kind kind, std::string device)
{
    ResolvedPort made;
    made.kind = kind;
    made.device = std::move(device);
    return made;
}

ResolvedPort invalid(std::string device, Text reason)
{
    ResolvedPort made = portOf(ResolvedPort::Kind::Invalid, std::move(device));
    made.reason = toStdString(reason);
    return made;
}

// The device name of a simulated board is set once its value is whole.
ResolvedPort simulated(std::string model, int crystalMHz)
{
    ResolvedPort made = portOf(ResolvedPort::Kind::Simulated, {});
    made.model = std::move(model);
    made.crystalMHz = crystalMHz;
    return made;
}

std::optional<int> parseCrystal(std::string_view text)
{
    constexpr std::string_view unit = "MHz";
    if (text.size() <= unit.size() || !equalsIgnoringCase(text.substr(text.size() - unit.size()), unit))
        return std::nullopt;
    const auto mhz = smallNumber(text.substr(0, text.size() - unit.size()));
    if (mhz == 4 || mhz == 8 || mhz == 16)
        return mhz;
    return std::nullopt;
}

// "sim", "sim:MODEL" or "sim:MODEL@nMHz"; none when the value is not a simulated board.
std::optional<ResolvedPort> parseSimValue(const std::string& value, const std::string& given)
{
    if (value == "sim")
        return simulated(std::string(DEFAULT_SIM_MODEL), DEFAULT_SIM_CRYSTAL_MHZ);
    if (!value.starts_with("sim:"))
        return std::nullopt;
    std::string_view rest = std::string_view(value).substr(4);
    int crystal = DEFAULT_SIM_CRYSTAL_MHZ;
    if (const auto at = rest.rfind('@'); at != std::string_view::npos) {
        const auto mhz = parseCrystal(rest.substr(at + 1));
        if (!mhz)
            return invalid(given, texts::PORT_VALUE_BAD_CRYSTAL);
        crystal = *mhz;
        rest = rest.substr(0, at);
    }
    if (rest.empty())
        return invalid(given, texts::PORT_VALUE_NO_MODEL);
    return simulated(std::string(rest), crystal);
}

// Names as DNS has them (IPv4 addresses included): letters, digits, hyphens and dots.
bool isHostName(std::string_view text)
{
    return !text.empty() && text.size() <= 253 && text[0] != '-' && text[0] != '.' &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '.'; });
}

bool isIpv6Address(std::string_view text)
{
    in6_addr address{};
    return ::inet_pton(AF_INET6, std::string(text).c_str(), &address) == 1;
}

// "rfc2217://HOST:PORT" (the scheme in any case, an IPv6 host in brackets);
// none when the value is no RFC 2217 address at all.
std::optional<ResolvedPort> parseRfc2217Value(const std::string& value, const std::string& given)
{
    if (value.size() < RFC2217_SCHEME.size() ||
        !equalsIgnoringCase(std::string_view(value).substr(0, RFC2217_SCHEME.size()), RFC2217_SCHEME))
        return std::nullopt;
    const std::string_view rest = std::string_view(value).substr(RFC2217_SCHEME.size());
    std::string_view host;
    std::string_view port;
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || rest.substr(close + 1, 1) != ":")
            return invalid(given, texts::PORT_VALUE_BAD_RFC2217);
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 2);
        if (!isIpv6Address(host))
            return invalid(given, texts::PORT_VALUE_BAD_RFC2217);
    } else {
        const auto colon = rest.find(':');
        if (colon == std::string_view::npos)
            return invalid(given, texts::PORT_VALUE_BAD_RFC2217);
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (!isHostName(host)) // an IPv6 address without brackets, too
            return invalid(given, texts::PORT_VALUE_BAD_RFC2217);
    }
    const auto number = smallNumber(port);
    if (!number || *number < 1 || *number > 65535)
        return invalid(given, texts::PORT_VALUE_BAD_RFC2217);
    ResolvedPort network = portOf(ResolvedPort::Kind::Rfc2217, value);
    network.host = std::string(host);
    network.tcpPort = std::uint16_t(*number);
    return network;
}

std::optional<int> comNumber(const std::string& portName)
{
    return portName.starts_with("COM") ? smallNumber(std::string_view(portName).substr(3)) : std::nullopt;
}

} // namespace

ResolvedPort resolvePortName(const std::string& portName, const EnvironmentLookup& environment,
                             const SerialDeviceLister& listDevices)
{
    const auto number = comNumber(portName);
    if (!number || *number < 1)
        return invalid(portName, texts::PORT_NAME_UNKNOWN);

    const std::string variable = "ROVIDADA_" + portName;
    if (const auto value = environment(variable))
        return resolvePortValue(*value, variable + "=" + *value);

    return portOf(ResolvedPort::Kind::Device, comPortDevice(*number, listDevices));
}

ResolvedPort resolvePortValue(const std::string& value, const std::string& shownAs)
{
    if (namesSerialDevice(value))
        return portOf(ResolvedPort::Kind::Device, value);
    if (auto network = parseRfc2217Value(value, shownAs))
        return *network;
    auto sim = parseSimValue(value, shownAs);
    if (!sim)
        return invalid(shownAs, portValueExpected());
    if (sim->kind == ResolvedPort::Kind::Simulated)
        sim->device = "sim:" + sim->model + "@" + std::to_string(sim->crystalMHz) + "MHz";
    return *sim;
}

ResolvedPort resolvePortNameOrValue(const std::string& given, const EnvironmentLookup& environment,
                                    const SerialDeviceLister& listDevices)
{
    if (comNumber(given))
        return resolvePortName(given, environment, listDevices);
    return resolvePortValue(given, given);
}

std::vector<std::string> serialDevicesInComOrder(const SerialDeviceLister& listDevices)
{
    std::vector<std::tuple<std::size_t, int, std::string>> found;
    for (const auto& name : listDevices())
        for (std::size_t family = 0; family < std::size(DEVICE_FAMILIES); ++family) {
            const std::string_view prefix = DEVICE_FAMILIES[family];
            if (!name.starts_with(prefix))
                continue;
            if (const auto number = smallNumber(std::string_view(name).substr(prefix.size())))
                found.emplace_back(family, *number, name);
            break;
        }
    std::sort(found.begin(), found.end());
    std::vector<std::string> ordered;
    for (const auto& entry : found)
        ordered.push_back("/dev/" + std::get<2>(entry));
    return ordered;
}

std::optional<std::string> systemEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

std::vector<std::string> listSerialDevices(const std::string& sysClassTty)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(sysClassTty, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::path path = entries->path();
        const std::string name = path.filename().string();
        std::error_code missing;
        if (!fs::exists(path / "device", missing))
            continue;
        if (name.starts_with("ttyS")) {
            std::ifstream typeFile(path / "type");
            int uartType = 0;
            if (!(typeFile >> uartType) || uartType == 0)
                continue;
        }
        names.push_back(name);
    }
    return names;
}

std::string portOpenReason(int error) { return systemReasonText(error, ReasonFor::Device); }

std::string portOpenFailureText(std::string_view device, std::string_view reason, bool permissionDenied)
{
    std::string text = toStdString(texts::PORT_OPEN_FAILED);
    text += "\n";
    text += shortenedForBox(device, BOX_DEVICE_CHARS);
    text += ": ";
    text += shortenedForBox(reason, BOX_REASON_CHARS);
    if (permissionDenied) {
        text += "\n";
        text += toStdString(texts::PORT_DIALOUT_HINT);
    }
    return text;
}
