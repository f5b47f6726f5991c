// (Not built yet.)
#include "app/MainFrame.h"

void MainFrame::onComPort(wxCommandEvent&) {}
