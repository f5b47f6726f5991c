// What the serial link asks of the window: the warning box of a line error and
// the window's part of the connection-lost step. The link itself shows nothing.
#pragma once

#include "texts/Texts.h"

class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // One modal warning box (caption "Błąd", OK, exclamation icon) per line error
    // flag that has a message; several flags give several calls, in table order.
    virtual void showLineError(Text message) = 0;

    // The link has set its connection state to -1: show "Brak połączenia." in
    // status field 3 and disable the commands that need the target.
    virtual void connectionLost() = 0;
};
