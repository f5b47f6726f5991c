// The simulated board as a serial device for ser2net: a pseudo-terminal whose
// slave ser2net opens, and whose master is the board's end of the line, served
// by a thread on the real clock. Bytes ser2net writes reach the board with the
// wire time of 38400 baud, the board's answers are written back when their
// last bit would have arrived, and RTS changes come from ser2net's modem-line
// ioctls through the shim (ModemLineShim.c) as datagrams on a socket.
//
// A pseudo-terminal carries bytes only: line errors the board injects are
// lost on the way, as they are on ser2net's own serial devices (it reads them
// without error marks), so the byte is all that goes on.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/SimulatedBoard.h"

class PtyBoard {
public:
    explicit PtyBoard(std::shared_ptr<SimulatedBoard> board);
    ~PtyBoard();
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;

    // The slave side, for ser2net's connector.
    const std::string& ttyPath() const { return ttyPath_; }
    // Where the shim sends RTS changes.
    const std::string& rtsSocketPath() const { return rtsSocketPath_; }

    // Runs f on the board while the serving thread keeps off it (faults,
    // EEPROM contents, trace).
    void withBoard(const std::function<void(SimulatedBoard&)>& f);

private:
    void serve();

    std::shared_ptr<SimulatedBoard> board_;
    std::mutex mutex_;
    int master_ = -1;
    int slaveKeptOpen_ = -1; // so that the master never sees a hang-up between ser2net's opens
    int rtsSocket_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::string ttyPath_;
    std::string rtsSocketPath_;
    std::thread thread_;
};
