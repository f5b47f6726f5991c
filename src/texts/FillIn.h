// Texts of the catalogue with numbers in them: each {name} stands where its
// value goes, so that a text reads as one sentence in the catalogue. Also the
// numbers and the outside text that go into them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "texts/Texts.h"

using TextFields = std::initializer_list<std::pair<std::string_view, std::string>>;

// The text with each {name} replaced by its value (UTF-8).
std::string fillIn(Text pattern, TextFields fields);

// A number as the texts show it in hexadecimal: upper case, at least `digits` long.
std::string hexNumber(std::uint64_t value, int digits);

// Text from outside (an argument, a file name) as a message line shows it:
// control characters (a newline, an escape sequence) as \xNN, so that the
// message stays one line and cannot play tricks on the terminal.
std::string escapeControlCharacters(std::string_view text);
