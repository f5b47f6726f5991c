#include "app/ProgrammerApp.h"

#include "app/MainFrame.h"
#include "app/UiText.h"
#include "serial/PortOpener.h"
#include "serial/VirtualClock.h"

namespace {
// Temporary until the real clock and port opener land.
class NoPorts : public PortOpener {
public:
    PortOpenResult open(const std::string& name) override { return {nullptr, name, "not built yet", false}; }
};
} // namespace

bool ProgrammerApp::OnInit()
{
    wxInitAllImageHandlers();
    static VirtualClock clock;
    static NoPorts ports;
    mainFrame = new MainFrame(uiText(texts::FRAME_TITLE), wxDefaultPosition, wxDefaultSize, AppServices{clock, ports});
    mainFrame->Show(true);
    SetTopWindow(mainFrame);
    return true;
}
