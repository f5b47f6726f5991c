// The catalogue's texts that hold printf fields (%s, %u, %04X), filled in.
#pragma once

#include <string>

#include "texts/Texts.h"

std::string formatText(Text format, ...);
