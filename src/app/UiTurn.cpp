#include "app/UiTurn.h"

#include <wx/evtloop.h>

void takeUiTurn()
{
    // The loop is absent before the main loop starts (and in tests).
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
}
