#include "procedures/TargetSession.h"

void alignRangeToWords(TargetSession& session)
{
    const std::uint32_t count = session.buffer.byteCount();
    const std::uint16_t start = session.buffer.startAddress();
    // The largest count the field can show is 9999999, so an odd count there
    // goes down to a whole word instead of up past what the field holds.
    if (count % 2 != 0)
        session.window.setCountField(count < 9'999'999 ? count + 1 : count - 1);
    if (start % 2 != 0)
        session.window.setStartField(static_cast<std::uint16_t>(start + 1));
}
