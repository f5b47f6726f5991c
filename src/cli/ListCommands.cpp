#include "cli/ListCommands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>

#include "procedures/ModelTable.h"
#include "serial/DeviceAliases.h"
#include "texts/FillIn.h"

namespace {

constexpr int MENU_PORTS = 4;
// Column widths, so that the lists line up.
constexpr std::size_t PORT_COLUMN = 6;
constexpr std::size_t MODEL_COLUMN = 12;
constexpr std::size_t SIZE_COLUMN = 6;

std::string paddedTo(std::string text, std::size_t width, bool right = false)
{
    if (text.size() < width)
        text.insert(right ? text.begin() : text.end(), width - text.size(), ' ');
    return text;
}

std::string portRow(const std::string& port, const std::string& device)
{
    return fillIn(texts::CLI_PORT_ROW, {{"port", paddedTo(port, PORT_COLUMN)}, {"device", device}});
}

std::string withAliases(std::string row, const std::string& device,
                        const std::map<std::string, std::vector<std::string>>& aliases)
{
    std::error_code error;
    const auto real = std::filesystem::canonical(device, error);
    if (error)
        return row;
    if (const auto found = aliases.find(real.string()); found != aliases.end())
        for (const std::string& alias : found->second)
            if (alias != device)
                row += "  " + alias;
    return row;
}

} // namespace

ExitStatus listPorts(const CliServices& services, CliConsole& console)
{
    const std::vector<std::string> devices = serialDevicesInComOrder(services.listDevices);
    const auto aliases = serialDeviceAliases(services.deviceAliasFolder);
    std::set<std::string> reached;
    const int ports = std::max(MENU_PORTS, int(devices.size()));
    for (int n = 1; n <= ports; ++n) {
        const std::string name = "COM" + std::to_string(n);
        const ResolvedPort port = resolvePortName(name, services.environment, services.listDevices);
        std::string row = portRow(name, port.device);
        if (services.environment("ROVIDADA_" + name))
            row += fillIn(texts::CLI_PORT_FROM_VARIABLE, {{"port", name}});
        if (port.kind == ResolvedPort::Kind::Invalid)
            row += ": " + port.reason;
        if (port.kind == ResolvedPort::Kind::Device) {
            reached.insert(port.device);
            std::error_code error;
            if (!std::filesystem::exists(port.device, error))
                row += toStdString(texts::CLI_PORT_NO_DEVICE);
            row = withAliases(row, port.device, aliases);
        }
        console.out << row << '\n';
    }
    for (const std::string& device : devices)
        if (!reached.count(device))
            console.out << withAliases(portRow(toStdString(texts::CLI_PORT_NO_COM), device), device, aliases) << '\n';
    return ExitStatus::Ok;
}

ExitStatus listModels(CliConsole& console)
{
    for (const ModelInfo& model : modelTable()) {
        if (isPlaceholderModel(model))
            continue;
        const Text family = isMc9s12Model(model) ? texts::CLI_FAMILY_MC9S12 : texts::CLI_FAMILY_HC12;
        console.out << fillIn(texts::CLI_MODEL_ROW, {{"model", paddedTo(model.name, MODEL_COLUMN)},
                                                     {"start", hexNumber(model.eepromStart, 4)},
                                                     {"size", paddedTo(std::to_string(model.eepromSize), SIZE_COLUMN, true)},
                                                     {"family", toStdString(family)}})
                    << '\n';
    }
    return ExitStatus::Ok;
}
