// How quickly the receiver hands over a byte that arrives while it waits, and
// what waiting costs the processor, against a loop that polls the port status
// as fast as it can. Runs on a pseudo-terminal pair with the real clock: the
// master side plays the interface, sending single bytes at random intervals.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "serial/LinkObserver.h"
#include "serial/PosixSerialPort.h"
#include "serial/RealClock.h"
#include "serial/SerialLink.h"

namespace {

constexpr int LATENCY_BYTES = 300;
constexpr int IDLE_RUNS = 5; // each a full 300 ms receive time-out

struct PtyPair {
    int master = -1;
    std::string slavePath;

    PtyPair()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            std::perror("pseudo-terminal");
            std::exit(1);
        }
        slavePath = ::ptsname(master);
    }
    ~PtyPair() { ::close(master); }
};

class SlaveOpener : public PortOpener {
public:
    explicit SlaveOpener(std::string path) : path_(std::move(path)) {}
    PortOpenResult open(const std::string&) override { return PosixSerialPort::open(path_); }

private:
    std::string path_;
};

class SilentWindow : public LinkObserver {
public:
    void lineErrors(std::uint32_t) override {}
    void connectionLost() override {}
};

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Processor time as a share of the wall time a piece of work took.
template <typename Work> double cpuPercent(Clock& clock, Work work)
{
    const double cpuBefore = cpuSeconds();
    const std::uint64_t wallBefore = clock.nowUs();
    work();
    const double wall = double(clock.nowUs() - wallBefore) / 1e6;
    return 100.0 * (cpuSeconds() - cpuBefore) / wall;
}

std::uint64_t percentile(std::vector<std::uint64_t> sorted, double p)
{
    return sorted[std::min(sorted.size() - 1, std::size_t(p * double(sorted.size() - 1) + 0.5))];
}

struct LatencyRun {
    std::vector<std::uint64_t> latencyUs; // sorted
    int wrong = 0;
};

// A thread plays the interface and writes single bytes at random intervals;
// `receive` takes them on the other side.
template <typename Receive> LatencyRun measureLatency(Clock& clock, int master, Receive receive)
{
    std::vector<std::uint64_t> writtenUs(LATENCY_BYTES), deliveredUs(LATENCY_BYTES);
    std::thread interface([&] {
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> gapUs(500, 20'000);
        for (int i = 0; i < LATENCY_BYTES; ++i) {
            std::this_thread::sleep_for(std::chrono::microseconds(gapUs(random)));
            const auto byte = std::uint8_t(i);
            writtenUs[i] = clock.nowUs();
            if (::write(master, &byte, 1) != 1)
                std::perror("write");
        }
    });
    LatencyRun run;
    for (int i = 0; i < LATENCY_BYTES; ++i) {
        run.wrong += receive() != std::uint8_t(i);
        deliveredUs[i] = clock.nowUs();
    }
    interface.join();
    for (int i = 0; i < LATENCY_BYTES; ++i)
        run.latencyUs.push_back(deliveredUs[i] - writtenUs[i]);
    std::sort(run.latencyUs.begin(), run.latencyUs.end());
    return run;
}

} // namespace

int main()
{
    RealClock clock;
    SilentWindow window;
    PtyPair interfaceLine;
    SlaveOpener opener(interfaceLine.slavePath);
    SerialLink link(clock, opener, window);
    if (!link.openPort("COM1").usable) {
        std::fprintf(stderr, "cannot open %s\n", interfaceLine.slavePath.c_str());
        return 1;
    }

    link.setConnectionState(1);
    const LatencyRun waiting = measureLatency(clock, interfaceLine.master, [&] { return link.receiveByte(); });

    // The same stream taken by a loop that polls the port status without sleeping.
    PtyPair busyLine;
    auto busyPort = PosixSerialPort::open(busyLine.slavePath).port;
    busyPort->applyLineSettings();
    const LatencyRun spinning = measureLatency(clock, busyLine.master, [&] {
        std::uint8_t byte = 0;
        while (busyPort->queryStatus().queued == 0 || busyPort->read(&byte, 1) != 1) {
        }
        return byte;
    });
    const int wrong = waiting.wrong + spinning.wrong + (link.connectionState() != 1);

    // The receiver waiting 300 ms for a byte that never comes, against a loop
    // that asks the port for its status as fast as it can for the same time.
    double waitCpu = 0;
    for (int run = 0; run < IDLE_RUNS; ++run)
        waitCpu += cpuPercent(clock, [&] { link.receiveByte(); }) / IDLE_RUNS;

    double busyCpu = 0;
    for (int run = 0; run < IDLE_RUNS; ++run)
        busyCpu += cpuPercent(clock, [&] {
                       const std::uint32_t start = clock.tick();
                       while (clock.tick() - start < 300)
                           (void)busyPort->queryStatus();
                   }) /
                   IDLE_RUNS;

    const auto row = [](const char* name, const LatencyRun& run) {
        std::printf("%-22s %8llu %8llu %8llu %8llu\n", name, (unsigned long long)percentile(run.latencyUs, 0.5),
                    (unsigned long long)percentile(run.latencyUs, 0.9),
                    (unsigned long long)percentile(run.latencyUs, 0.99), (unsigned long long)run.latencyUs.back());
    };
    std::printf("delay from write to delivery, %d bytes (us)\n", LATENCY_BYTES);
    std::printf("%-22s %8s %8s %8s %8s\n", "", "p50", "p90", "p99", "max");
    row("receiveByte (poll)", waiting);
    row("busy status loop", spinning);
    std::printf("cpu while waiting 300 ms, %d runs: receiveByte %.1f %%, busy status loop %.1f %%\n", IDLE_RUNS,
                waitCpu, busyCpu);
    if (wrong != 0)
        std::printf("wrong or lost bytes: %d\n", wrong);
    std::printf("receive_latency_median_us %llu\n", (unsigned long long)percentile(waiting.latencyUs, 0.5));
    std::printf("receive_latency_max_us %llu\n", (unsigned long long)waiting.latencyUs.back());
    std::printf("busy_receive_latency_median_us %llu\n", (unsigned long long)percentile(spinning.latencyUs, 0.5));
    std::printf("busy_receive_latency_max_us %llu\n", (unsigned long long)spinning.latencyUs.back());
    std::printf("wait_cpu_percent %.1f\n", waitCpu);
    std::printf("busy_wait_cpu_percent %.1f\n", busyCpu);
    return wrong == 0 ? 0 : 1;
}
