// What the serial link tells the face that shows it (the window, the command
// line): line errors, as the port's flags, and the connection-lost step. The
// link itself shows nothing and knows no text.
#pragma once

#include <cstdint>

class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // A receive met line errors (LineError flags, never 0); the connection-lost
    // step follows at once. The face shows lineErrorTexts(flags), the window one
    // modal warning box (caption "Błąd", OK, exclamation icon) each, in order;
    // flags without a message show nothing.
    virtual void lineErrors(std::uint32_t flags) = 0;

    // The link has set its connection state to -1: show "Brak połączenia." in
    // status field 3 and disable the commands that need the target.
    virtual void connectionLost() = 0;
};
