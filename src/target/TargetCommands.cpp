// The commands that talk to the target: connect, the crystal choice, reading
// and writing the EEPROM. Each runs its procedure on the window and the buffer shown.
#include "app/MainFrame.h"
#include "target/Connect.h"
#include "target/ReadEeprom.h"
#include "target/WindowTarget.h"
#include "target/WriteEeprom.h"

void MainFrame::onConnect(wxCommandEvent&)
{
    WindowTarget target(*this);
    TargetSession session = target.session();
    connectTarget(session);
}

void MainFrame::onCrystalCombo(wxCommandEvent&)
{
    WindowTarget target(*this);
    TargetSession session = target.session();
    selectCrystal(session);
}

void MainFrame::onReadEeprom(wxCommandEvent&)
{
    WindowTarget target(*this);
    TargetSession session = target.session();
    readEeprom(session);
}

void MainFrame::onWriteEeprom(wxCommandEvent&)
{
    WindowTarget target(*this);
    TargetSession session = target.session();
    writeEeprom(session);
}
