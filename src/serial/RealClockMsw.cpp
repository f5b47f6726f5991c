// Real time for the program on Windows. Sleep() and plain waitable timers
// keep the system's 15.6 ms timer tick, which would stretch every 1 ms pause
// of the programming procedures sixteen-fold: the timer period is set to 1 ms
// (timeBeginPeriod) for the life of the program, which also makes ReadFile's
// time-outs end on time, and pauses wait as finely as the system allows.
#include "serial/RealClock.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "serial/SerialPort.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

extern "C" __declspec(dllimport) unsigned int __stdcall timeBeginPeriod(unsigned int period);
extern "C" __declspec(dllimport) unsigned int __stdcall timeEndPeriod(unsigned int period);

namespace {

constexpr std::uint64_t IDLE_SLICE_US = std::uint64_t(IDLE_TURN_MS) * 1000;

std::uint64_t steadyUs()
{
    using namespace std::chrono;
    return std::uint64_t(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

using DelayExecution = LONG(NTAPI*)(BOOLEAN alertable, const LARGE_INTEGER* interval);

// One per program, as there is one clock: how pauses wait. Windows: on a
// high-resolution waitable timer (Windows 10 1803 and later; an ordinary one,
// on the 1 ms period, before). Wine: its timers end on whole milliseconds, a
// quarter of a byte's wire time being common here, but its NtDelayExecution
// sleeps to the microsecond, so pauses use that.
class PauseTimer {
public:
    PauseTimer()
    {
        ::timeBeginPeriod(1);
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        if (ntdll && ::GetProcAddress(ntdll, "wine_get_version"))
            delay_ = reinterpret_cast<DelayExecution>(
                reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtDelayExecution")));
        timer_ = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        if (!timer_) // older Windows: an ordinary timer, on the 1 ms period
            timer_ = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    ~PauseTimer()
    {
        if (timer_)
            ::CloseHandle(timer_);
        ::timeEndPeriod(1);
    }
    PauseTimer(const PauseTimer&) = delete;
    PauseTimer& operator=(const PauseTimer&) = delete;

    void sleepUs(std::uint64_t us)
    {
        LARGE_INTEGER due{};
        due.QuadPart = -static_cast<LONGLONG>(us * 10); // relative, in 100 ns
        if (delay_) {
            delay_(FALSE, &due);
            return;
        }
        if (timer_ && ::SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
            ::WaitForSingleObject(timer_, INFINITE);
            return;
        }
        ::Sleep(static_cast<DWORD>((us + 999) / 1000));
    }

private:
    HANDLE timer_ = nullptr;
    DelayExecution delay_ = nullptr;
};

PauseTimer& pauseTimer()
{
    static PauseTimer timer;
    return timer;
}

} // namespace

RealClock::RealClock() { (void)pauseTimer(); }

std::uint64_t RealClock::nowUs() { return steadyUs(); }

void RealClock::pause(std::uint32_t ms)
{
    // The end is fixed up front, so the time the idle hook takes is part of
    // the pause; only a turn longer than the whole pause makes it longer.
    const std::uint64_t endUs = nowUs() + std::uint64_t(ms) * 1000;
    for (;;) {
        idleWhenDue();
        const std::uint64_t now = nowUs();
        if (now >= endUs)
            return;
        sleepUntilUs(std::min(endUs, now + IDLE_SLICE_US));
    }
}

void RealClock::sleepUntilUs(std::uint64_t us)
{
    // These sleeps too end some tens of microseconds after their time (under
    // Wine, its select() wakes up late as any Linux sleep): aimed that much
    // early, as on Linux, with the rest waited out awake.
    const std::uint64_t now = nowUs();
    if (us > now + earlyUs_) {
        const std::uint64_t aimUs = us - earlyUs_;
        pauseTimer().sleepUs(aimUs - now);
        const std::uint64_t woke = nowUs();
        learnLateness(woke > aimUs ? woke - aimUs : 0);
    }
    while (nowUs() < us) {
    }
}

bool RealClock::waitForInput(SerialPort& port, std::uint32_t deadlineTick)
{
    for (;;) {
        idleWhenDue();
        const auto msLeft = static_cast<std::int32_t>(deadlineTick - tick());
        if (msLeft <= 0)
            return false;
        const int sliceMs = std::min<std::int32_t>(msLeft, IDLE_SLICE_US / 1000);
        if (port.waitReadable(sliceMs))
            return true;
    }
}

void RealClock::idleWhenDue()
{
    const std::uint64_t now = nowUs();
    if (now - lastIdleUs_ < IDLE_SLICE_US)
        return;
    lastIdleUs_ = now;
    idle();
}
