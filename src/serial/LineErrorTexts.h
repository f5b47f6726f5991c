// The words for line errors. The serial link hands a port's error flags on as
// they are (LinkObserver::lineErrors); the face that shows them turns them into
// texts here, so that the window and the command line say the same words in
// the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "texts/Texts.h"

// The messages of the LineError flags set in `flags` that have one, in the
// order they are shown: framing, I/O, input overflow, parity, output full.
// Flags without a message (overrun, break, unknown ones) give none.
std::vector<Text> lineErrorTexts(std::uint32_t flags);
