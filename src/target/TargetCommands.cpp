// (Not built yet.)
#include "app/MainFrame.h"

void MainFrame::onConnect(wxCommandEvent&) {}
void MainFrame::onReadEeprom(wxCommandEvent&) {}
void MainFrame::onWriteEeprom(wxCommandEvent&) {}
void MainFrame::onCrystalCombo(wxCommandEvent&) {}
