// (Not built yet.)
#include "app/MainFrame.h"

void MainFrame::onNewBuffer(wxCommandEvent&) {}
void MainFrame::onCloseBuffer(wxCommandEvent&) {}
void MainFrame::onFill(wxCommandEvent&) {}
void MainFrame::onCompareCombo(wxCommandEvent&) {}
#include <wx/bookctrl.h>
void MainFrame::onPageChanged(wxBookCtrlEvent&) {}
