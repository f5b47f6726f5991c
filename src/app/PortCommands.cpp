// Choosing a port with the "COM 1" to "COM 4" items; choosing the port
// already chosen again re-applies its settings, or shows its box again.
#include <wx/menu.h>

#include "app/EveryChoice.h"
#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"
#include "serial/SerialLink.h"

void MainFrame::onComPort(wxCommandEvent& event)
{
    reportNextChoiceOf(*connMenu->FindItem(event.GetId()));
    const std::string name = "COM" + std::to_string(event.GetId() - ID_COM1 + 1);
    const PortChoice choice = link().openPort(name);
    if (!choice.usable)
        showMessageBox(uiText(choice.failureText()), uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR);
}
