#include "images/LoadQuestions.h"

LoadQuestions loadQuestions(std::uint64_t fileBytes, std::uint32_t bufferBytes)
{
    LoadQuestions asks;
    asks.largerThanBuffer = fileBytes > bufferBytes;
    asks.veryLarge = asks.largerThanBuffer && fileBytes >= VERY_LARGE_FILE_BYTES;
    return asks;
}
