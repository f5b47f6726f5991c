// rovidada-de12-cli: the program's command line, on the real clock and the
// machine's serial ports (and simulated boards, for "sim" ports).
#include <unistd.h>

#include <iostream>

#include "cli/CliMain.h"
#include "cli/Interruption.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"
#include "sim/SimulatedPort.h"

int main(int argc, char** argv)
{
    catchInterruptions();
    RealClock clock;
    SystemPortOpener ports([&clock](const std::string& model, int crystalMHz, std::string& reason) {
        return openSimulatedPort(model, crystalMHz, clock, reason);
    });
    CliServices services{clock, ports};
    services.stopRequested = interruptionRequested;
    CliConsole console{std::cout,
                       std::cerr,
                       std::cin,
                       ::isatty(STDIN_FILENO) == 1,
                       ::isatty(STDOUT_FILENO) == 1,
                       ::isatty(STDERR_FILENO) == 1,
                       [] { return readLineUnlessInterrupted(STDIN_FILENO); }};
    std::ios::sync_with_stdio(false);
    return runCli(std::vector<std::string>(argv + 1, argv + argc), services, console);
}
