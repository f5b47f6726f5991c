// rovidada-de12-cli: the program's command line, on the real clock and the
// machine's serial ports (and simulated boards, for "sim" ports).
#include <unistd.h>

#include "cli/ThisMachine.h"

int main(int argc, char** argv)
{
    const StandardStreamTerminals terminals{::isatty(STDIN_FILENO) == 1, ::isatty(STDOUT_FILENO) == 1,
                                            ::isatty(STDERR_FILENO) == 1};
    return runCliOnThisMachine(std::vector<std::string>(argv + 1, argv + argc), terminals);
}
