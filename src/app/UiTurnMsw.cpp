// The window's turn on Windows. wxMSW's YieldFor takes the input it must not
// handle off the queue and posts it back to the thread without its window,
// where nothing receives it: the clicks and keys made during an operation
// were lost. Here only the paints are made and the timers run (a themed gauge
// moves on its own timer); the input queue is never touched, and Windows,
// seeing the queue looked at, does not flag the window as not responding.
#include "app/UiTurn.h"

#include <wx/evtloop.h>
#include <wx/toplevel.h>

#include <windows.h>

void takeUiTurn()
{
    // The loop is absent before the main loop starts (and in tests).
    if (!wxEventLoopBase::GetActive())
        return;
    MSG message;
    while (::PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        ::DispatchMessageW(&message);
    for (wxWindow* window : wxTopLevelWindows)
        ::RedrawWindow(static_cast<HWND>(window->GetHWND()), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
