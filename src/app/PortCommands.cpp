// Choosing a port with the "COM 1" to "COM 4" items.
#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"
#include "serial/SerialLink.h"

void MainFrame::onComPort(wxCommandEvent& event)
{
    const std::string name = "COM" + std::to_string(event.GetId() - ID_COM1 + 1);
    const PortChoice choice = link().openPort(name);
    if (!choice.usable)
        showMessageBox(uiText(choice.failureText()), uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR);
}
