// One row of the model table.
#pragma once

#include <cstdint>
#include <string>

struct ModelInfo {
    std::string name;          // shown in the combo box; also tested by substring
    std::uint32_t eepromStart; // first EEPROM address (16 bits)
    std::uint32_t eepromSize;  // bytes
};
