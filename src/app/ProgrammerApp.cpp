#include "app/ProgrammerApp.h"

#include <wx/image.h>

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
    mainFrame->Show(true);
    SetTopWindow(mainFrame);
    return true;
}
