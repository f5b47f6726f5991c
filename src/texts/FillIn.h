// Texts of the catalogue with numbers in them: each {name} stands where its
// value goes, so that a text reads as one sentence in the catalogue.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "texts/Texts.h"

using TextFields = std::initializer_list<std::pair<std::string_view, std::string>>;

// The text with each {name} replaced by its value (UTF-8).
std::string fillIn(Text pattern, TextFields fields);
