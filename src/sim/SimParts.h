// The simulated target parts, one row per model name of the model table. The
// chips are data: everything that tells one part from another lives here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SimFamily { Hc12, Mc9s12 };

struct SimPart {
    std::string modelName;   // exactly as in the model table
    std::string chip;        // the part it stands for, for traces and messages
    SimFamily family;
    std::uint16_t eepromSize;
    std::uint16_t eepromStart; // HC12: fixed; MC9S12: where INITEE's reset value 0x09 puts it
    bool hasEepromDivider;     // HC912D60A and HC912DG128A: EEDIV must be set before program/erase
    std::uint8_t memsiz0;      // MC9S12 only: the memory-size register at 0x001C
    // HC12 only: the EEPROT blocks from the start of the array upwards, in bytes.
    // The lowest block belongs to the highest BPROT bit, the top block to BPROT0.
    std::vector<std::uint16_t> protectionBlocks;
};

// The row for a model name; null for an unknown name (the placeholder "Model" included).
const SimPart* findSimPart(const std::string& modelName);

const std::vector<SimPart>& simParts();
