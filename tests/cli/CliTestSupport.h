// Running the command line inside a test: on the virtual clock, every port
// wired to one simulated board the test holds, the standard streams as
// strings, and a folder of files that goes with the test.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TraceExchange.h"
#include "texts/Texts.h"
#include "cli/CliMain.h"
#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes patternBytes(std::size_t count, unsigned seed = 1)
{
    Bytes bytes(count);
    for (std::size_t k = 0; k < count; ++k)
        bytes[k] = std::uint8_t(k * 7 + seed); // never a word of FF FF, so every word is programmed
    return bytes;
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
    // The lines on standard error.
    std::vector<std::string> errLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

class CliBench {
public:
    explicit CliBench(const std::string& model, int crystalMHz = 16, SimFaults faults = {})
    {
        std::string reason;
        board = SimulatedBoard::create(model, crystalMHz, reason, std::move(faults));
        EXPECT_TRUE(board) << reason;
    }

    // Runs the command line with these arguments; `input` is its standard input.
    CliRun run(const std::vector<std::string>& arguments, const std::string& input = {})
    {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        CliConsole console{out, err, in, inIsTerminal, false, errIsTerminal, {}};
        const auto lookup = [this](const std::string& name) -> std::optional<std::string> {
            if (const auto found = environment.find(name); found != environment.end())
                return found->second;
            return std::nullopt;
        };
        CliServices services{clock, ports, lookup, [this] { return serialDevices; }, deviceAliasFolder, stop};
        CliRun result;
        result.status = runCli(arguments, services, console);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    ExchangeMark mark() { return {board->trace().entries().size(), clock.nowUs()}; }
    std::vector<std::string> exchange(const ExchangeMark& from) const { return exchangeSince(board->trace(), from); }

    struct BoardOpener : PortOpener {
        CliBench& bench;
        bool fails = false;
        explicit BoardOpener(CliBench& b) : bench(b) {}
        PortOpenResult open(const std::string& name) override
        {
            if (fails)
                return {nullptr, "/dev/ttyUSB7", toStdString(texts::PORT_REASON_IN_USE), false};
            return {bench.board->openPort(bench.clock), name == "sim" ? "sim:board" : name, "", false};
        }
    };

    VirtualClock clock;
    std::shared_ptr<SimulatedBoard> board;
    BoardOpener ports{*this};
    std::function<bool()> stop = [] { return false; };
    // The machine as the command line sees it: no variables, no serial ports.
    std::map<std::string, std::string> environment;
    std::vector<std::string> serialDevices;
    std::string deviceAliasFolder = "/nonexistent/by-id";
    bool inIsTerminal = false;
    bool errIsTerminal = false;
};

// A folder for one test's files, removed with it.
class TempFolder {
public:
    TempFolder()
    {
        static int made = 0;
        root_ = std::filesystem::temp_directory_path() /
                ("rovidada-cli-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~TempFolder() { std::filesystem::remove_all(root_); }

    std::string path(const std::string& name) const { return (root_ / name).string(); }
    std::string write(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream(path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          std::streamsize(bytes.size()));
        return path(name);
    }
    Bytes read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

private:
    std::filesystem::path root_;
};
