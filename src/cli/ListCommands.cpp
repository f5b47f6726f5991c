#include "cli/ListCommands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>

#include "procedures/ModelTable.h"
#include "serial/DeviceAliases.h"
#include "texts/FormatText.h"

namespace {

constexpr int kMenuPorts = 4;

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
    const int ports = std::max(kMenuPorts, int(devices.size()));
    for (int n = 1; n <= ports; ++n) {
        const std::string name = "COM" + std::to_string(n);
        const PortSpec spec = resolvePortName(name, services.environment, services.listDevices);
        std::string row = formatText(texts::CLI_PORT_ROW, name.c_str(), spec.device.c_str());
        if (services.environment("ROVIDADA_" + name))
            row += formatText(texts::CLI_PORT_FROM_VARIABLE, name.c_str());
        if (spec.kind == PortSpec::Kind::Invalid)
            row += ": " + spec.reason;
        if (spec.kind == PortSpec::Kind::Device) {
            reached.insert(spec.device);
            std::error_code error;
            if (!std::filesystem::exists(spec.device, error))
                row += toStdString(texts::CLI_PORT_NO_DEVICE);
            row = withAliases(row, spec.device, aliases);
        }
        console.out << row << '\n';
    }
    for (const std::string& device : devices)
        if (!reached.count(device))
            console.out << withAliases(formatText(texts::CLI_PORT_ROW, toStdString(texts::CLI_PORT_NO_COM).c_str(),
                                                  device.c_str()),
                                       device, aliases)
                        << '\n';
    return ExitStatus::Ok;
}

ExitStatus listModels(CliConsole& console)
{
    for (const ModelInfo& model : modelTable()) {
        if (isPlaceholderModel(model))
            continue;
        const Text family = isMc9s12Model(model) ? texts::CLI_FAMILY_MC9S12 : texts::CLI_FAMILY_HC12;
        console.out << formatText(texts::CLI_MODEL_ROW, model.name.c_str(), unsigned(model.eepromStart),
                                  unsigned(model.eepromSize), toStdString(family).c_str())
                    << '\n';
    }
    return ExitStatus::Ok;
}
