#include "procedures/TargetSession.h"

#include "store/BufferLimit.h"

void alignRangeToWords(TargetSession& session)
{
    const std::uint32_t count = session.buffer.byteCount();
    const std::uint16_t start = session.buffer.startAddress();
    // An odd count at the largest the field can show goes down to a whole word
    // instead of up past what the field holds.
    if (count % 2 != 0)
        session.window.setCountField(count < MAX_BUFFER_BYTES ? count + 1 : count - 1);
    if (start % 2 != 0)
        session.window.setStartField(static_cast<std::uint16_t>(start + 1));
}
