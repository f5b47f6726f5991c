#include "app/ProgrammerApp.h"

#include <wx/image.h>
#include <wx/log.h>

#include "app/MainFrame.h"
#include "app/UiText.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"
#include "sim/SimulatedPort.h"

bool ProgrammerApp::OnInit()
{
    wxInitAllImageHandlers();
    static RealClock clock;
    static SystemPortOpener ports([](const std::string& model, int crystalMHz, std::string& reason) {
        return openSimulatedPort(model, crystalMHz, clock, reason);
    });
    mainFrame = new MainFrame(uiText(texts::FRAME_TITLE), wxDefaultPosition, wxDefaultSize, AppServices{clock, ports});
    if (!mainFrame->isBuilt()) {
        wxSafeShowMessage(uiText(texts::CAPTION_ERROR), uiText(texts::WINDOW_NOT_CREATED));
        delete mainFrame;
        mainFrame = nullptr;
        return false;
    }
    mainFrame->Show(true);
    SetTopWindow(mainFrame);
    return true;
}
