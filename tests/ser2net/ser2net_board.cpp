// The simulated board behind the real ser2net, for a program of another build
// (the Windows command line under Wine): prints the server's rfc2217://
// address on loopback as a line of its own, then serves until its standard
// input closes, when it ends the server and the board. Exits with 77 (a
// skipped test) when ser2net is not installed.
// Usage: ser2net_board MODEL
#include <iostream>
#include <string>

#include "PtyBoard.h"
#include "Ser2netServer.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: ser2net_board MODEL\n";
        return 2;
    }
    if (Ser2netServer::program().empty()) {
        std::cerr << "ser2net is not installed\n";
        return 77;
    }
    std::string reason;
    const auto board = SimulatedBoard::create(argv[1], 16, reason);
    if (!board) {
        std::cerr << reason << '\n';
        return 2;
    }
    PtyBoard pty(board);
    Ser2netServer server({pty.ttyPath(), pty.rtsSocketPath()});
    std::cout << server.url() << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
