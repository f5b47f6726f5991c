// (Not built yet.)
#include "app/MainFrame.h"

void MainFrame::onLoadFile(wxCommandEvent&) {}
void MainFrame::onSaveFile(wxCommandEvent&) {}
