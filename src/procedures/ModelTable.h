// The microcontroller models the program knows, in the order of the model combo
// box. Row 0 is a placeholder that stands for "no model chosen yet".
#pragma once

#include <array>

#include "procedures/ModelInfo.h"

const std::array<ModelInfo, 8>& modelTable();

// Family tests are case-sensitive substring tests on the model's name, so that
// "HC(9)12D60" (same EEPROM as HC912D60x) passes none of them.
inline bool isPlaceholderModel(const ModelInfo& m) { return m.name.find("Model") != std::string::npos; }
inline bool isMc9s12Model(const ModelInfo& m) { return m.name.find("MC9S12") != std::string::npos; }
inline bool hasEepromDivider(const ModelInfo& m)
{
    return m.name.find("HC912Dx128x") != std::string::npos || m.name.find("HC912D60x") != std::string::npos;
}
