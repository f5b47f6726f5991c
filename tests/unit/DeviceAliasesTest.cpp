// The /dev/serial/by-id names of serial devices.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "serial/DeviceAliases.h"

TEST(DeviceAliases, EachDeviceGetsTheLinksThatNameItAndBrokenLinksAreLeftOut)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("rovidada-by-id-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "dev");
    fs::create_directories(root / "by-id");
    std::ofstream(root / "dev" / "ttyUSB0").put('\n');
    std::ofstream(root / "dev" / "ttyUSB1").put('\n');
    fs::create_symlink("../dev/ttyUSB0", root / "by-id" / "usb-FTDI_B-if00-port0");
    fs::create_symlink("../dev/ttyUSB0", root / "by-id" / "usb-FTDI_A-if00-port0");
    fs::create_symlink(root / "dev" / "ttyUSB1", root / "by-id" / "usb-Prolific-if00-port0");
    fs::create_symlink("../dev/ttyUSB7", root / "by-id" / "usb-unplugged");

    const auto aliases = serialDeviceAliases((root / "by-id").string());
    const std::string dev = fs::canonical(root / "dev").string();
    const std::string links = (root / "by-id").string();
    EXPECT_EQ(aliases, (std::map<std::string, std::vector<std::string>>{
                           {dev + "/ttyUSB0", {links + "/usb-FTDI_A-if00-port0", links + "/usb-FTDI_B-if00-port0"}},
                           {dev + "/ttyUSB1", {links + "/usb-Prolific-if00-port0"}},
                       }));
    EXPECT_TRUE(serialDeviceAliases((root / "none").string()).empty());
    fs::remove_all(root);
}
