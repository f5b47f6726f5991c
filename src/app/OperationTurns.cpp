#include "app/OperationTurns.h"

#include "app/UiTurn.h"
#include "serial/Clock.h"

namespace {

// The real clock offers its turns IDLE_TURN_MS apart by the time it read just
// before it offered the last one, a moment before the window noted that
// turn: without this margin the window would refuse every other offer and
// go twice as long without a turn.
constexpr std::uint64_t EARLY_OFFER_US = 2000;

} // namespace

void OperationTurns::offer()
{
    const std::uint64_t now = clock_.nowUs();
    if (now - lastTurnUs_ + EARLY_OFFER_US < std::uint64_t(IDLE_TURN_MS) * 1000)
        return;
    lastTurnUs_ = now;
    take();
}

void OperationTurns::take()
{
    if (watcher)
        watcher(clock_.nowUs());
    takeUiTurn();
}
