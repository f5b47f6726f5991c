// How long the program takes from exec to its first painted frame, and, in
// the same run, how long a bare frame of the same size takes: the toolkit's
// own floor. Each start is a child process of its own (this program again,
// told which window to build); the parent notes the time before it starts
// the child, the child prints the time at which its first frame was painted,
// and the median of several starts is taken.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/frame.h>

#include "app/ProgrammerApp.h"

extern char** environ;

namespace {

bool bareFrame = false;

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The program as it starts (or a bare frame of its size), stopping at the
// first moment the loop falls idle after a paint: the first frame is on the
// screen then.
class StartupApp : public ProgrammerApp {
public:
    bool OnInit() override
    {
        Bind(wxEVT_IDLE, [this](wxIdleEvent&) {
            if (lastPaintNs_ == 0)
                return;
            std::printf("%lld\n", static_cast<long long>(lastPaintNs_));
            std::fflush(stdout);
            std::_Exit(0);
        });
        if (!bareFrame) {
            const std::int64_t begin = nowNs();
            const bool ok = ProgrammerApp::OnInit();
            if (std::getenv("BENCH_PHASES"))
                std::fprintf(stderr, "OnInit from %lld, %.1f ms\n", static_cast<long long>(begin),
                             double(nowNs() - begin) / 1e6);
            return ok;
        }
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(100, 20), wxSize(705, 660));
        frame->Show(true);
        SetTopWindow(frame);
        return true;
    }
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT) {
            if (lastPaintNs_ == 0 && std::getenv("BENCH_PHASES"))
                std::fprintf(stderr, "first paint at %lld\n", static_cast<long long>(nowNs()));
            lastPaintNs_ = nowNs();
        }
        return -1;
    }

private:
    std::int64_t lastPaintNs_ = 0;
};

// One start of `kind` ("program" or "bare"), in ms from exec to the first frame.
double startOnce(const char* self, const char* kind)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* args[] = {const_cast<char*>(self), const_cast<char*>("--start"), const_cast<char*>(kind), nullptr};
    pid_t child = 0;
    const std::int64_t started = nowNs();
    const int spawned = posix_spawn(&child, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    char chunk[64];
    for (ssize_t n; (n = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, std::size_t(n));
    ::close(pipeEnds[0]);
    if (spawned != 0)
        return 0;
    int status = 0;
    ::waitpid(child, &status, 0);
    const long long painted = std::atoll(output.c_str());
    return painted > 0 ? double(painted - started) / 1e6 : 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(StartupApp);

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--start") == 0) {
        bareFrame = std::strcmp(argv[2], "bare") == 0;
        return wxEntry(argc, argv);
    }
    // Alternating, so that the machine's load falls on both alike.
    constexpr int STARTS = 7;
    std::vector<double> program, bare;
    for (int i = 0; i < STARTS; ++i) {
        bare.push_back(startOnce(argv[0], "bare"));
        program.push_back(startOnce(argv[0], "program"));
    }
    std::printf("%-12s %10s %10s %10s\n", "start", "median ms", "min ms", "max ms");
    const auto row = [](const char* name, const std::vector<double>& v) {
        std::printf("%-12s %10.1f %10.1f %10.1f\n", name, median(v), *std::min_element(v.begin(), v.end()),
                    *std::max_element(v.begin(), v.end()));
    };
    row("program", program);
    row("bare frame", bare);
    std::printf("startup_ms %.1f\n", median(program));
    std::printf("startup_bare_frame_ms %.1f\n", median(bare));
    return 0;
}
