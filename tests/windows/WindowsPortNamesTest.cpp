// Port names on Windows: "COMn" is the system's own COMn, ROVIDADA_COMn still
// wins, and a value may name any port, also one above COM9.
#include <gtest/gtest.h>

#include <map>

#include "serial/PortNames.h"
#include "serial/SystemPortOpener.h"

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
    EXPECT_EQ(linux.reason, "oczekiwano portu (COM5, \\\\.\\COM12), sim, sim:MODEL albo sim:MODEL@nMHz");
    // "COM0" and "COMX" are no ports.
    EXPECT_EQ(resolvePortValue("COM0", "COM0").kind, ResolvedPort::Kind::Invalid);
    EXPECT_EQ(resolvePortValue("COMX", "COMX").kind, ResolvedPort::Kind::Invalid);
}

TEST(WindowsPortNames, Rfc2217PortsAreUnderstoodAndRefusedWithAReason)
{
    SystemPortOpener ports(nullptr, environmentOf({{"ROVIDADA_COM2", "rfc2217://localhost:4001"}}), noDevices);
    const PortOpenResult result = ports.open("COM2");
    EXPECT_FALSE(result.port);
    EXPECT_EQ(result.device, "rfc2217://localhost:4001");
    EXPECT_EQ(result.reason, "porty rfc2217:// działają tylko w wersji dla Linuksa");
}

} // namespace
