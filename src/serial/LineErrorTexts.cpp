#include "serial/LineErrorTexts.h"

#include <array>

#include "serial/LineErrors.h"

namespace {

struct LineErrorMessage {
    std::uint32_t flag;
    Text message;
};
// In the order their messages are shown.
constexpr std::array<LineErrorMessage, 5> LINE_ERROR_MESSAGES{{
    {LineError::FRAME, texts::LINE_FRAMING_ERROR},
    {LineError::IOE, texts::LINE_IO_ERROR},
    {LineError::RXOVER, texts::LINE_INPUT_OVERFLOW},
    {LineError::RXPARITY, texts::LINE_PARITY_ERROR},
    {LineError::TXFULL, texts::LINE_OUTPUT_FULL},
}};

} // namespace

std::vector<Text> lineErrorTexts(std::uint32_t flags)
{
    std::vector<Text> messages;
    for (const auto& [flag, message] : LINE_ERROR_MESSAGES)
        if (flags & flag)
            messages.push_back(message);
    return messages;
}
