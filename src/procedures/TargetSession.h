// Everything a target procedure (connect, read, write) works with: the serial
// link, the window and the buffer shown, and the state the commands share.
#pragma once

#include "serial/SerialLink.h"
#include "procedures/ModelInfo.h"
#include "procedures/TargetWindow.h"

struct TargetSession {
    SerialLink& link;
    TargetWindow& window;
    TargetBuffer& buffer;
    ModelInfo& currentModel;
    bool& mc9s12Mode;   // set by the last connect; chooses the write procedure
    int& crystalMHz;    // 16, 8 or 4, as the crystal choice left it

    Clock& clock() { return link.clock(); }
};

// Status-bar fields the procedures write.
inline constexpr int STATUS_RESULT = 0;
inline constexpr int STATUS_FAILURES = 1;
inline constexpr int STATUS_CONNECTION = 3;

// The start and count of the buffer made even, through the fields (which hand
// them to the buffer), as reading and writing need whole words.
void alignRangeToWords(TargetSession& session);
