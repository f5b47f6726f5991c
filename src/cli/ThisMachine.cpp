#include "cli/ThisMachine.h"

#include <iostream>

#include "cli/CliMain.h"
#include "cli/Interruption.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"
#include "sim/SimulatedPort.h"

int runCliOnThisMachine(const std::vector<std::string>& arguments, StandardStreamTerminals terminals)
{
    catchInterruptions();
    RealClock clock;
    SystemPortOpener ports([&clock](const std::string& model, int crystalMHz, std::string& reason) {
        return openSimulatedPort(model, crystalMHz, clock, reason);
    });
    CliServices services{clock, ports};
    services.stopRequested = interruptionRequested;
    constexpr int STANDARD_INPUT = 0; // the same descriptor on both systems
    CliConsole console{std::cout,
                       std::cerr,
                       std::cin,
                       terminals.in,
                       terminals.out,
                       terminals.err,
                       [] { return readLineUnlessInterrupted(STANDARD_INPUT); }};
    std::ios::sync_with_stdio(false);
    return runCli(arguments, services, console);
}
