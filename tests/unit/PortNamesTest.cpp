// What "COM1" ... "COM4" stand for, and the port box text.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "texts/Texts.h"
#include "serial/PortNames.h"
#include "serial/SystemPortOpener.h"

namespace {

using Kind = ResolvedPort::Kind;
using Environment = std::map<std::string, std::string>;

EnvironmentLookup lookupIn(const Environment& environment)
{
    return [environment](const std::string& name) -> std::optional<std::string> {
        if (auto found = environment.find(name); found != environment.end())
            return found->second;
        return std::nullopt;
    };
}

SerialDeviceLister devicesOf(std::vector<std::string> names)
{
    return [names] { return names; };
}

struct Resolution {
    std::string portName;
    Environment environment;
    std::vector<std::string> devices;
    Kind kind;
    std::string device;
    std::string model = {};
    int crystalMHz = 0;
    Text reason = {};
    std::string host = {};
    int tcpPort = 0;
};

TEST(PortNames, ResolutionTable)
{
    const std::vector<std::string> machine = {"ttyS0", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyprintk", "ttyS"};
    const Resolution table[] = {
        {"COM1", {{"ROVIDADA_COM1", "/dev/ttyUSB3"}}, machine, Kind::Device, "/dev/ttyUSB3"},
        {"COM1", {{"ROVIDADA_COM1", "sim"}}, {}, Kind::Simulated, "sim:MC9S12DT128@16MHz", "MC9S12DT128", 16},
        {"COM2", {{"ROVIDADA_COM2", "sim:HC912D60x"}}, {}, Kind::Simulated, "sim:HC912D60x@16MHz", "HC912D60x", 16},
        {"COM3", {{"ROVIDADA_COM3", "sim:HC12B@8MHz"}}, {}, Kind::Simulated, "sim:HC12B@8MHz", "HC12B", 8},
        {"COM1", {{"ROVIDADA_COM1", "sim:HC(9)12D60@4mhz"}}, {}, Kind::Simulated, "sim:HC(9)12D60@4MHz",
         "HC(9)12D60", 4},
        {"COM1", {{"ROVIDADA_COM1", "sim:HC12B@12MHz"}}, {}, Kind::Invalid, "ROVIDADA_COM1=sim:HC12B@12MHz", {}, 0,
         texts::PORT_VALUE_BAD_CRYSTAL},
        {"COM1", {{"ROVIDADA_COM1", "sim:HC12B@8"}}, {}, Kind::Invalid, "ROVIDADA_COM1=sim:HC12B@8", {}, 0,
         texts::PORT_VALUE_BAD_CRYSTAL},
        {"COM1", {{"ROVIDADA_COM1", "sim:"}}, {}, Kind::Invalid, "ROVIDADA_COM1=sim:", {}, 0,
         texts::PORT_VALUE_NO_MODEL},
        {"COM1", {{"ROVIDADA_COM1", "sim:@8MHz"}}, {}, Kind::Invalid, "ROVIDADA_COM1=sim:@8MHz", {}, 0,
         texts::PORT_VALUE_NO_MODEL},
        {"COM1", {{"ROVIDADA_COM1", "simulator"}}, {}, Kind::Invalid, "ROVIDADA_COM1=simulator", {}, 0,
         texts::PORT_VALUE_NOT_UNDERSTOOD},
        {"COM1", {{"ROVIDADA_COM1", "ttyUSB0"}}, {}, Kind::Invalid, "ROVIDADA_COM1=ttyUSB0", {}, 0,
         texts::PORT_VALUE_NOT_UNDERSTOOD},
        // USB adapters first, then ACM, then UARTs, each by number.
        {"COM1", {{"ROVIDADA_COM2", "sim"}}, machine, Kind::Device, "/dev/ttyUSB2"},
        {"COM2", {}, machine, Kind::Device, "/dev/ttyUSB10"},
        {"COM3", {}, machine, Kind::Device, "/dev/ttyACM0"},
        {"COM4", {}, machine, Kind::Device, "/dev/ttyS0"},
        {"COM2", {}, {"ttyS0"}, Kind::Device, "/dev/ttyS1"},
        {"COM1", {}, {}, Kind::Device, "/dev/ttyS0"},
        // Serial ports on other machines, served by RFC 2217.
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://192.168.7.20:4001"}}, machine, Kind::Rfc2217,
         "rfc2217://192.168.7.20:4001", {}, 0, {}, "192.168.7.20", 4001},
        {"COM2", {{"ROVIDADA_COM2", "rfc2217://[::1]:65535"}}, {}, Kind::Rfc2217, "rfc2217://[::1]:65535", {}, 0, {},
         "::1", 65535},
        {"COM3", {{"ROVIDADA_COM3", "RFC2217://rack-3.bench.example:2217"}}, {}, Kind::Rfc2217,
         "RFC2217://rack-3.bench.example:2217", {}, 0, {}, "rack-3.bench.example", 2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://::1:4001"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://::1:4001", {}, 0,
         texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://[::1]4001"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://[::1]4001", {},
         0, texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://[bench]:4001"}}, {}, Kind::Invalid,
         "ROVIDADA_COM1=rfc2217://[bench]:4001", {}, 0, texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://bench"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://bench", {}, 0,
         texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://:4001"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://:4001", {}, 0,
         texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://bench:0"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://bench:0", {}, 0,
         texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://bench:65536"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://bench:65536",
         {}, 0, texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://bench:4001/"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://bench:4001/",
         {}, 0, texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "rfc2217://be_nch:4001"}}, {}, Kind::Invalid, "ROVIDADA_COM1=rfc2217://be_nch:4001",
         {}, 0, texts::PORT_VALUE_BAD_RFC2217},
        {"COM1", {{"ROVIDADA_COM1", "tcp://bench:4001"}}, {}, Kind::Invalid, "ROVIDADA_COM1=tcp://bench:4001", {}, 0,
         texts::PORT_VALUE_NOT_UNDERSTOOD},
        {"COM0", {}, {}, Kind::Invalid, "COM0", {}, 0, texts::PORT_NAME_UNKNOWN},
        {"LPT1", {}, {}, Kind::Invalid, "LPT1", {}, 0, texts::PORT_NAME_UNKNOWN},
    };
    for (const Resolution& r : table) {
        const ResolvedPort resolved = resolvePortName(r.portName, lookupIn(r.environment), devicesOf(r.devices));
        SCOPED_TRACE(r.portName + " " + (r.environment.empty() ? "" : r.environment.begin()->second));
        EXPECT_EQ(resolved.kind, r.kind);
        EXPECT_EQ(resolved.device, r.device);
        if (r.kind == Kind::Simulated) {
            EXPECT_EQ(resolved.model, r.model);
            EXPECT_EQ(resolved.crystalMHz, r.crystalMHz);
        }
        if (r.kind == Kind::Rfc2217) {
            EXPECT_EQ(resolved.host, r.host);
            EXPECT_EQ(resolved.tcpPort, r.tcpPort);
        }
        EXPECT_EQ(resolved.reason, toStdString(r.reason));
    }
}

TEST(PortNames, TheCommandLineGivesPortNamesOrDevicesDirectly)
{
    const Environment environment{{"ROVIDADA_COM2", "sim:HC12B@8MHz"}};
    const auto devices = devicesOf({"ttyS0", "ttyUSB1"});
    const Resolution table[] = {
        {"COM1", {}, {}, Kind::Device, "/dev/ttyUSB1"},
        {"COM2", {}, {}, Kind::Simulated, "sim:HC12B@8MHz", "HC12B", 8},
        {"/dev/serial/by-id/usb-FTDI-if00-port0", {}, {}, Kind::Device, "/dev/serial/by-id/usb-FTDI-if00-port0"},
        {"sim:MC9S12DBx@4MHz", {}, {}, Kind::Simulated, "sim:MC9S12DBx@4MHz", "MC9S12DBx", 4},
        {"sim:HC12B@3MHz", {}, {}, Kind::Invalid, "sim:HC12B@3MHz", {}, 0, texts::PORT_VALUE_BAD_CRYSTAL},
        {"ttyUSB0", {}, {}, Kind::Invalid, "ttyUSB0", {}, 0, texts::PORT_VALUE_NOT_UNDERSTOOD},
        {"COM0", {}, {}, Kind::Invalid, "COM0", {}, 0, texts::PORT_NAME_UNKNOWN},
    };
    for (const Resolution& r : table) {
        SCOPED_TRACE(r.portName);
        const ResolvedPort resolved = resolvePortNameOrValue(r.portName, lookupIn(environment), devices);
        EXPECT_EQ(resolved.kind, r.kind);
        EXPECT_EQ(resolved.device, r.device);
        EXPECT_EQ(resolved.model, r.model);
        EXPECT_EQ(resolved.reason, toStdString(r.reason));
    }
    EXPECT_EQ(serialDevicesInComOrder(devicesOf({"ttyS0", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyprintk"})),
              (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0"}));
}

TEST(PortNames, ListsTtysWithHardwareButNotAbsentUarts)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("rovidada-tty-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const auto tty = [&](const std::string& name, bool device, const char* uartType) {
        fs::create_directories(root / name);
        if (device)
            fs::create_directories(root / name / "device");
        if (uartType)
            std::ofstream(root / name / "type") << uartType << "\n";
    };
    tty("ttyUSB0", true, nullptr);
    tty("ttyS0", true, "4");
    tty("ttyS1", true, "0"); // registered by the 8250 driver, no chip found
    tty("ttyS2", false, "4");
    tty("tty1", false, nullptr);

    auto names = listSerialDevices(root.string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ttyS0", "ttyUSB0"}));
    fs::remove_all(root);
}

TEST(PortNames, FailureTextNamesTheDeviceAndHintsAtDialoutOnlyForPermission)
{
    const std::string first = toStdString(texts::PORT_OPEN_FAILED);
    EXPECT_EQ(portOpenFailureText("/dev/ttyUSB0", "Permission denied", true),
              first + "\n/dev/ttyUSB0: Permission denied\n" + toStdString(texts::PORT_DIALOUT_HINT));
    EXPECT_EQ(portOpenFailureText("/dev/ttyS3", "Device or resource busy", false),
              first + "\n/dev/ttyS3: Device or resource busy");
}

TEST(PortNames, AVeryLongDeviceOrReasonKeepsItsStartAndEndInTheBox)
{
    // A ROVIDADA_COM1 value of 130,000 characters once made a box 32,767 pixels wide.
    const std::string device = "/dev/" + std::string(130000, 'x') + "/ttyUSB0";
    const std::string reason = "nieznany model \"" + std::string(40000, 'A') + "ŻÓŁW\"";
    const std::string text = portOpenFailureText(device, reason, false);
    const std::string secondLine = text.substr(text.find('\n') + 1);
    const std::string shownDevice = secondLine.substr(0, secondLine.find(": "));
    const std::string shownReason = secondLine.substr(secondLine.find(": ") + 2);
    EXPECT_LE(shownDevice.size(), 70u);
    EXPECT_TRUE(shownDevice.starts_with("/dev/xxx"));
    EXPECT_TRUE(shownDevice.ends_with("x/ttyUSB0"));
    EXPECT_NE(shownDevice.find("…"), std::string::npos);
    EXPECT_LE(shownReason.size(), 130u);
    EXPECT_TRUE(shownReason.starts_with("nieznany model \"AA"));
    EXPECT_TRUE(shownReason.ends_with("AAŻÓŁW\"")) << "whole characters only";
    // Names of ordinary length stay whole.
    EXPECT_EQ(portOpenFailureText("sim:HC12B@16MHz", reason.substr(0, 20), false),
              toStdString(texts::PORT_OPEN_FAILED) + "\nsim:HC12B@16MHz: " + reason.substr(0, 20));
}

TEST(PortNames, CommonReasonsAreGivenInPolish)
{
    const struct {
        int error;
        Text reason;
    } cases[] = {
        {ENOENT, texts::PORT_REASON_NO_DEVICE},     {ENODEV, texts::PORT_REASON_NO_DEVICE},
        {ENXIO, texts::PORT_REASON_NO_DEVICE},      {EACCES, texts::PORT_REASON_NO_PERMISSION},
        {EPERM, texts::PORT_REASON_NO_PERMISSION},  {EBUSY, texts::PORT_REASON_IN_USE},
        {ENOTTY, texts::PORT_REASON_NOT_SERIAL},    {EISDIR, texts::PORT_REASON_NOT_SERIAL},
        {EIO, texts::PORT_REASON_IO_ERROR},
    };
    for (const auto& c : cases)
        EXPECT_EQ(portOpenReason(c.error), toStdString(c.reason)) << std::strerror(c.error);
    EXPECT_EQ(portOpenReason(EROFS), std::strerror(EROFS)) << "a rare reason in the system's words";
}

TEST(SystemPortOpener, OpensWhatTheNameResolvesTo)
{
    std::vector<std::string> boards;
    SystemPortOpener opener(
        [&boards](const std::string& model, int crystalMHz, std::string& reason) -> std::unique_ptr<SerialPort> {
            boards.push_back(model + "@" + std::to_string(crystalMHz));
            reason = "unknown model";
            return nullptr;
        },
        lookupIn({{"ROVIDADA_COM1", "sim:XYZ@8MHz"},
                  {"ROVIDADA_COM2", "sim:XYZ@9MHz"},
                  {"ROVIDADA_COM3", "/nonexistent/ttyUSB9"}}),
        devicesOf({}));

    const PortOpenResult sim = opener.open("COM1");
    EXPECT_EQ(boards, std::vector<std::string>{"XYZ@8"});
    EXPECT_EQ(sim.device, "sim:XYZ@8MHz");
    EXPECT_EQ(sim.reason, "unknown model");

    const PortOpenResult badValue = opener.open("COM2");
    EXPECT_EQ(boards.size(), 1u) << "a bad value reaches no simulator";
    EXPECT_EQ(badValue.reason, toStdString(texts::PORT_VALUE_BAD_CRYSTAL));

    const PortOpenResult missing = opener.open("COM3");
    EXPECT_FALSE(missing.port);
    EXPECT_EQ(missing.device, "/nonexistent/ttyUSB9");
    EXPECT_EQ(missing.reason, toStdString(texts::PORT_REASON_NO_DEVICE));
    EXPECT_FALSE(missing.permissionDenied);
}

} // namespace
