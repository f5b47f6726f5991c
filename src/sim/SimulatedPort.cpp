// The "sim" ports: a SerialPort whose far end is a SimulatedBoard, timed by the
// program's clock. The PC's line is busy for 260.4 us per byte written.
#include "sim/SimulatedPort.h"

#include "sim/SimulatedBoard.h"

namespace {

class SimulatedPort : public SerialPort {
public:
    SimulatedPort(std::shared_ptr<SimulatedBoard> board, Clock& clock) : board_(std::move(board)), clock_(clock) {}

    void applyLineSettings() override {}
    void setRts(bool asserted) override { board_->setRts(asserted, clock_.nowUs()); }

    bool write(const std::uint8_t* data, std::size_t length) override
    {
        board_->pcWrite(data, length, clock_.nowUs());
        return true;
    }

    void drain() override
    {
        clock_.sleepUntilUs(board_->pcLineFreeUs());
        // The frame has arrived: carry it out now, so that the board can be
        // inspected right after a send.
        board_->advanceTo(clock_.nowUs());
    }

    std::optional<std::uint64_t> outputLeftUs() override { return board_->pcLineFreeUs(); }

    Status queryStatus() override
    {
        const auto now = clock_.nowUs();
        Status status;
        status.errors = board_->takeLineErrors(now);
        status.queued = board_->queuedInput(now);
        return status;
    }

    std::size_t read(std::uint8_t* buffer, std::size_t maxLength) override
    {
        return board_->readInput(buffer, maxLength, clock_.nowUs());
    }

    void purge() override { board_->purge(clock_.nowUs()); }

    bool waitReadable(int timeoutMs) override
    {
        const auto now = clock_.nowUs();
        const auto next = board_->nextInputUs(now);
        if (next && *next <= now)
            return true;
        const std::uint64_t deadline = now + std::uint64_t(timeoutMs > 0 ? timeoutMs : 0) * 1000;
        if (next && *next <= deadline) {
            clock_.sleepUntilUs(*next);
            return true;
        }
        clock_.sleepUntilUs(deadline);
        return false;
    }

    std::optional<std::uint64_t> nextInputUs() override { return board_->nextInputUs(clock_.nowUs()); }

private:
    std::shared_ptr<SimulatedBoard> board_;
    Clock& clock_;
};

} // namespace

std::unique_ptr<SerialPort> SimulatedBoard::openPort(Clock& clock)
{
    return std::make_unique<SimulatedPort>(shared_from_this(), clock);
}

std::unique_ptr<SerialPort> openSimulatedPort(const std::string& modelName, int crystalMHz, Clock& clock,
                                              std::string& reason)
{
    auto board = SimulatedBoard::create(modelName, crystalMHz, reason);
    if (!board)
        return nullptr;
    return board->openPort(clock);
}
