#include "app/WindowLinkObserver.h"

#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"

void WindowLinkObserver::showLineError(Text message)
{
    showMessageBox(uiText(message), uiText(texts::CAPTION_ERROR), wxOK | wxICON_WARNING);
}

void WindowLinkObserver::connectionLost()
{
    frame_.showDisconnected();
}
