// Port names on Windows: "COMn" is the system's own COMn, ROVIDADA_COMn still
// wins, a value may name any port, also one above COM9, and rfc2217:// values
// reach the RFC 2217 port as on Linux.
#include <gtest/gtest.h>

#include <map>

#include "FakeComPortServer.h"
#include "serial/PortNames.h"
#include "serial/Sockets.h"
#include "serial/SystemPortOpener.h"
#include "texts/Texts.h"

namespace {

EnvironmentLookup environmentOf(std::map<std::string, std::string> values)
{
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    };
}

std::vector<std::string> noDevices() { return {}; }

TEST(WindowsPortNames, ComNamesAreTheSystemsPortsUnlessTheVariableSaysOtherwise)
{
    const auto plain = environmentOf({});
    EXPECT_EQ(resolvePortName("COM1", plain, noDevices).device, "\\\\.\\COM1");
    EXPECT_EQ(resolvePortName("COM4", plain, noDevices).device, "\\\\.\\COM4");
    EXPECT_EQ(resolvePortName("COM4", plain, noDevices).kind, ResolvedPort::Kind::Device);

    const auto set = environmentOf({{"ROVIDADA_COM1", "\\\\.\\COM12"},
                                    {"ROVIDADA_COM2", "COM7"},
                                    {"ROVIDADA_COM3", "sim:HC912D60x@8MHz"},
                                    {"ROVIDADA_COM4", "/dev/ttyUSB0"}});
    EXPECT_EQ(resolvePortName("COM1", set, noDevices).device, "\\\\.\\COM12");
    EXPECT_EQ(resolvePortName("COM2", set, noDevices).device, "COM7");
    const ResolvedPort sim = resolvePortName("COM3", set, noDevices);
    EXPECT_EQ(sim.kind, ResolvedPort::Kind::Simulated);
    EXPECT_EQ(sim.model, "HC912D60x");
    EXPECT_EQ(sim.crystalMHz, 8);
    // A Linux path means nothing here; the box says what would.
    const ResolvedPort linux = resolvePortName("COM4", set, noDevices);
    EXPECT_EQ(linux.kind, ResolvedPort::Kind::Invalid);
    EXPECT_EQ(linux.reason,
              "oczekiwano portu (COM5, \\\\.\\COM12), sim, sim:MODEL, sim:MODEL@nMHz albo rfc2217://HOST:PORT");
    // "COM0" and "COMX" are no ports.
    EXPECT_EQ(resolvePortValue("COM0", "COM0").kind, ResolvedPort::Kind::Invalid);
    EXPECT_EQ(resolvePortValue("COMX", "COMX").kind, ResolvedPort::Kind::Invalid);
}

TEST(WindowsPortNames, Rfc2217PortsAreReachedThroughWinsockByHostName)
{
    // A loopback port nobody listens on: "localhost" goes through the name
    // lookup, and each of its addresses refuses.
    const auto [probe, port] = boundLoopbackSocket();
    closeSocket(probe);
    const std::string value = "rfc2217://localhost:" + std::to_string(port);

    SystemPortOpener ports(nullptr, environmentOf({{"ROVIDADA_COM2", value}}), noDevices);
    const PortOpenResult result = ports.open("COM2");
    EXPECT_FALSE(result.port);
    EXPECT_EQ(result.device, value);
    EXPECT_EQ(result.reason, toStdString(texts::NET_CONNECTION_REFUSED));
}

} // namespace
