// The commands that talk to the target: connect, the crystal choice, reading
// and writing the EEPROM. Each runs its procedure on the window and the buffer shown.
#include "app/MainFrame.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "app/WindowTarget.h"
#include "procedures/WriteEeprom.h"

namespace {

void runOnTarget(MainFrame& frame, void (*procedure)(TargetSession&))
{
    WindowTarget target(frame);
    TargetSession session = target.session();
    try {
        procedure(session);
    } catch (const GridNotCreated&) {
        // The read found no memory for its grid before it sent anything.
    }
}

} // namespace

void MainFrame::onConnect(wxCommandEvent&) { runOnTarget(*this, connectTarget); }

void MainFrame::onCrystalCombo(wxCommandEvent&) { runOnTarget(*this, selectCrystal); }

void MainFrame::onReadEeprom(wxCommandEvent&) { runOnTarget(*this, readEeprom); }

void MainFrame::onWriteEeprom(wxCommandEvent&) { runOnTarget(*this, writeEeprom); }
