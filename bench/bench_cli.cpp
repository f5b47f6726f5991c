// How close the command line's read and write come to what the line and the
// procedures' own pauses allow, without a window: the command's own steps
// (its face, its buffer, its progress line drawn as on a terminal) run on the
// real clock against a simulated board, which answers with the wire time of
// 38400 baud. The floor of each case is the same on the virtual clock, where
// time passes only through the pauses and the bytes' wire time. The connect
// before each operation is not timed. Also the processor time meanwhile.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "BenchBoard.h"
#include "cli/CliArguments.h"
#include "cli/TargetCommands.h"
#include "serial/RealClock.h"
#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"

namespace {

struct Figures {
    double ms = 0;
    double floorMs = 0;
    double cpuPercent = 0;
};

// One command on a fresh 16 MHz board, connected first: the operation timed
// on `clock`, in ms, and the processor time it took.
std::pair<double, double> timeOperation(Clock& clock, const std::vector<std::string>& arguments,
                                        const std::function<ExitStatus(TargetRun&)>& operation)
{
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.ok()) {
        std::fprintf(stderr, "%s\n", parsed.error.c_str());
        std::exit(1);
    }
    std::string reason;
    const auto board = SimulatedBoard::create(parsed.options.model->name, 16, reason);
    BoardOpener opener(board, clock);
    CliServices services{clock, opener};
    std::ostringstream out, err;
    std::istringstream in;
    CliConsole console{out, err, in, false, false, true, {}}; // progress drawn, as on a terminal
    TargetRun run(parsed.options, services, console);
    if (run.connect() != ExitStatus::Ok) {
        std::fprintf(stderr, "connecting failed: %s\n", err.str().c_str());
        std::exit(1);
    }
    const double cpuBefore = cpuSeconds();
    const std::uint64_t begin = clock.nowUs();
    const ExitStatus status = operation(run);
    const double ms = double(clock.nowUs() - begin) / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    run.finish(status);
    if (status != ExitStatus::Ok) {
        std::fprintf(stderr, "the operation failed: %s\n", err.str().c_str());
        std::exit(1);
    }
    return {ms, 100.0 * cpu / (ms / 1000.0)};
}

Figures measure(const std::vector<std::string>& arguments, const std::function<ExitStatus(TargetRun&)>& operation)
{
    Figures figures;
    VirtualClock virtualClock;
    figures.floorMs = timeOperation(virtualClock, arguments, operation).first;
    RealClock realClock;
    std::tie(figures.ms, figures.cpuPercent) = timeOperation(realClock, arguments, operation);
    return figures;
}

} // namespace

int main()
{
    const std::string folder = std::filesystem::temp_directory_path() / ("bench-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string output = folder + "/read.bin";

    const Figures read = measure({"-m", "HC912Dx128x", "-c", "16", "-n", "2048", "read", "-o", output},
                                 [](TargetRun& run) { return run.read(); });
    std::vector<std::uint8_t> bytes(256);
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = std::uint8_t(k * 7 + 1); // never a word of FF FF, so every word is programmed
    const MemoryImage image = wholeImage(0, bytes); // raw: written at the EEPROM's start
    const auto write = [&image](TargetRun& run) { return run.write(image); };
    const Figures hc12 = measure({"-m", "HC912Dx128x", "-c", "16", "write", "image.bin"}, write);
    const Figures mc9s12 = measure({"-m", "MC9S12DT128", "-c", "16", "write", "image.bin"}, write);
    std::filesystem::remove_all(folder);

    std::printf("%-28s %10s %10s %8s %8s\n", "", "real ms", "floor ms", "over %", "cpu %");
    const auto row = [](const char* name, const Figures& f) {
        std::printf("%-28s %10.1f %10.1f %8.2f %8.2f\n", name, f.ms, f.floorMs, 100.0 * (f.ms - f.floorMs) / f.floorMs,
                    f.cpuPercent);
    };
    row("read 2048 B, HC912Dx128x", read);
    row("write 256 B, HC912Dx128x", hc12);
    row("write 256 B, MC9S12DT128", mc9s12);
    std::printf("cli_read_2KiB_ms %.1f\n", read.ms);
    std::printf("cli_read_2KiB_floor_ms %.1f\n", read.floorMs);
    std::printf("cli_read_cpu_percent %.1f\n", read.cpuPercent);
    std::printf("cli_write_256B_hc12_ms %.1f\n", hc12.ms);
    std::printf("cli_write_256B_hc12_floor_ms %.1f\n", hc12.floorMs);
    std::printf("cli_write_256B_hc12_cpu_percent %.1f\n", hc12.cpuPercent);
    std::printf("cli_write_256B_mc9s12_ms %.1f\n", mc9s12.ms);
    std::printf("cli_write_256B_mc9s12_floor_ms %.1f\n", mc9s12.floorMs);
    return 0;
}
