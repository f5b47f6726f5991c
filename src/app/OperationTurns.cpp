#include "app/OperationTurns.h"

#include <wx/evtloop.h>

#include "serial/Clock.h"

void OperationTurns::offer()
{
    if (clock_.nowUs() - lastTurnUs_ >= std::uint64_t(kIdleTurnMs) * 1000)
        take();
}

void OperationTurns::take()
{
    lastTurnUs_ = clock_.nowUs();
    if (watcher)
        watcher(lastTurnUs_);
    // The loop is absent before the main loop starts (and in tests).
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
}
