#include "serial/DeviceAliases.h"

#include <algorithm>
#include <filesystem>

std::map<std::string, std::vector<std::string>> serialDeviceAliases(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::vector<std::string>> aliases;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        std::error_code broken;
        const fs::path device = fs::canonical(entries->path(), broken);
        if (!broken)
            aliases[device.string()].push_back(entries->path().string());
    }
    for (auto& [device, links] : aliases)
        std::sort(links.begin(), links.end());
    return aliases;
}
