// How close a read of 2 KB through ser2net on loopback comes to what the line
// and the procedure's own pauses allow. The engine alone, without the window:
// the read procedure on the serial link, its port rfc2217://127.0.0.1:PORT,
// ser2net serving a pseudo-terminal with the simulated board behind it, all
// on the real clock. The floor is the same read on the virtual clock (as
// bench_target's read_2KiB_floor_ms); a local simulated port on the real
// clock shows what the engine costs without the network, and a second run
// through ser2net with its default character delay shows why the README's
// recipe turns it off. Also the processor time of the program's thread and
// of ser2net while reading.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "PtyBoard.h"
#include "Ser2netServer.h"
#include "TargetFakes.h"
#include "procedures/ReadEeprom.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"

namespace {

constexpr const char* MODEL = "HC912Dx128x"; // 2 KB of EEPROM
constexpr std::uint32_t COUNT = 2048;

std::uint8_t pattern(std::uint32_t k) { return k % 5 == 0 ? 0xFF : std::uint8_t(k * 37 + 11); }

double threadCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Processor time of another process so far (user and system), from /proc.
double processCpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return double(user + system) / double(::sysconf(_SC_CLK_TCK));
}

struct Figures {
    double ms = 0;
    double cpuPercent = 0;
    double serverCpuPercent = 0;
    bool equal = false; // the buffer read equals the EEPROM
};

// The program's side: a session on the link, COM1 opened by `ports`, the crystal set to 16 MHz.
struct Session : FakeSession {
    Session(Clock& clock, PortOpener& ports) : FakeSession(clock, ports, MODEL)
    {
        buffer.count = COUNT;
        link.openPort("COM1");
        connectWith("16MHz");
    }
    bool equalTo(const std::vector<std::uint8_t>& eeprom) const
    {
        for (std::uint32_t k = 0; k < COUNT; ++k)
            if (buffer.cells[k] != eeprom[k])
                return false;
        return true;
    }
};

std::shared_ptr<SimulatedBoard> freshBoard()
{
    std::string reason;
    auto board = SimulatedBoard::create(MODEL, 16, reason);
    for (std::uint32_t k = 0; k < COUNT; ++k)
        board->eeprom()[k] = pattern(k);
    return board;
}

// The read on a local simulated board: on the virtual clock its time is the floor.
Figures readLocally(Clock& clock, const std::function<std::uint64_t()>& nowUs)
{
    VirtualBoardPorts::BoardOpener ports;
    ports.board = freshBoard();
    ports.clock = &clock;
    Session session(clock, ports);
    const std::uint64_t begin = nowUs();
    readEeprom(session.session);
    Figures figures;
    figures.ms = double(nowUs() - begin) / 1000.0;
    figures.equal = session.equalTo(ports.board->eeprom());
    return figures;
}

Figures readThroughSer2net(bool charDelay)
{
    auto board = freshBoard();
    PtyBoard pty(board);
    Ser2netServer server({pty.ttyPath(), pty.rtsSocketPath(), charDelay});
    SystemPortOpener ports(
        nullptr, [&](const std::string&) { return std::optional(server.url()); },
        [] { return std::vector<std::string>{}; });
    RealClock clock;
    Session session(clock, ports);
    if (session.link.connectionState() < 1) {
        std::fprintf(stderr, "no connection through ser2net:\n%s\n", server.log().c_str());
        std::exit(1);
    }
    using namespace std::chrono;
    const double cpuBefore = threadCpuSeconds();
    const double serverBefore = processCpuSeconds(server.pid());
    const auto begin = steady_clock::now();
    readEeprom(session.session);
    const double wall = duration<double>(steady_clock::now() - begin).count();
    Figures figures;
    figures.ms = wall * 1000.0;
    figures.cpuPercent = 100.0 * (threadCpuSeconds() - cpuBefore) / wall;
    figures.serverCpuPercent = 100.0 * (processCpuSeconds(server.pid()) - serverBefore) / wall;
    pty.withBoard([&](SimulatedBoard& b) { figures.equal = session.equalTo(b.eeprom()); });
    return figures;
}

} // namespace

int main()
{
    if (Ser2netServer::program().empty()) {
        std::fprintf(stderr, "ser2net is not installed (scripts/setup installs it)\n");
        return 2;
    }
    VirtualClock virtualClock;
    const Figures floor = readLocally(virtualClock, [&] { return virtualClock.nowUs(); });
    RealClock realClock;
    const Figures local = readLocally(realClock, [&] { return realClock.nowUs(); });
    const Figures remote = readThroughSer2net(false);
    const Figures delayed = readThroughSer2net(true);

    const auto over = [&](const Figures& f) { return 100.0 * (f.ms - floor.ms) / floor.ms; };
    std::printf("%-40s %10s %8s %8s %12s\n", "read 2048 B, HC912Dx128x", "ms", "over %", "cpu %", "ser2net cpu %");
    std::printf("%-40s %10.1f\n", "floor (virtual clock)", floor.ms);
    std::printf("%-40s %10.1f %8.1f\n", "local simulated port", local.ms, over(local));
    std::printf("%-40s %10.1f %8.1f %8.1f %12.1f\n", "rfc2217 through ser2net", remote.ms, over(remote),
                remote.cpuPercent, remote.serverCpuPercent);
    std::printf("%-40s %10.1f %8.1f %8.1f %12.1f\n", "rfc2217, ser2net's default chardelay", delayed.ms, over(delayed),
                delayed.cpuPercent, delayed.serverCpuPercent);
    std::printf("rfc2217_read_2KiB_ms %.1f\n", remote.ms);
    std::printf("rfc2217_read_2KiB_floor_ms %.1f\n", floor.ms);
    std::printf("rfc2217_read_over_floor_percent %.1f\n", over(remote));
    std::printf("rfc2217_read_cpu_percent %.1f\n", remote.cpuPercent);
    std::printf("rfc2217_ser2net_cpu_percent %.1f\n", remote.serverCpuPercent);
    std::printf("rfc2217_read_2KiB_chardelay_ms %.1f\n", delayed.ms);
    std::printf("local_engine_read_2KiB_ms %.1f\n", local.ms);
    const bool allEqual = floor.equal && local.equal && remote.equal && delayed.equal;
    if (!allEqual)
        std::printf("a read differs from the EEPROM\n");
    return allEqual ? 0 : 1;
}
