// The catalogue's texts that hold printf fields (%s, %u, %04X), filled in,
// and text from outside made fit to go into them.
#pragma once

#include <string>
#include <string_view>

#include "texts/Texts.h"

std::string formatText(Text format, ...);

// Text from outside (an argument, a file name) as a message line shows it:
// control characters (a newline, an escape sequence) as \xNN, so that the
// message stays one line and cannot play tricks on the terminal.
std::string escapeControlCharacters(std::string_view text);
