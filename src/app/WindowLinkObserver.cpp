#include "app/WindowLinkObserver.h"

#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/UiText.h"
#include "serial/LineErrorTexts.h"

void WindowLinkObserver::lineErrors(std::uint32_t flags)
{
    for (const Text message : lineErrorTexts(flags))
        showMessageBox(uiText(message), uiText(texts::CAPTION_ERROR), wxOK | wxICON_WARNING);
}

void WindowLinkObserver::connectionLost()
{
    frame_.showDisconnected();
}
