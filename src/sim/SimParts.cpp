#include "sim/SimParts.h"

const std::vector<SimPart>& simParts()
{
    // Block layouts follow the parts' EEPROT descriptions: blocks halve towards the
    // top of the array so that a small boot area at the end can be locked alone.
    static const std::vector<SimPart> parts{
        {"HC12B", "68HC912B32", SimFamily::Hc12, 768, 0x0D00, false, 0, {256, 256, 128, 64, 64}},
        {"HC812A4", "68HC812A4", SimFamily::Hc12, 4096, 0xF000, false, 0, {2048, 1024, 512, 256, 256}},
        {"HC912Dx128x", "68HC912DG128A", SimFamily::Hc12, 2048, 0x0800, true, 0, {1024, 512, 256, 128, 64, 64}},
        {"HC912D60x", "68HC912D60A", SimFamily::Hc12, 1024, 0x0C00, true, 0, {512, 256, 128, 64, 32, 32}},
        {"HC(9)12D60", "68HC912D60", SimFamily::Hc12, 1024, 0x0C00, false, 0, {512, 256, 128, 64, 32, 32}},
        // MEMSIZ0 0x13: EEPROM 2 KB (bits 5..4 = 1), RAM (3 x 2) + 2 = 8 KB.
        {"MC9S12DBx", "MC9S12DB128", SimFamily::Mc9s12, 2048, 0x0800, false, 0x13, {}},
        {"MC9S12DT128", "MC9S12DT128", SimFamily::Mc9s12, 2048, 0x0800, false, 0x13, {}},
    };
    return parts;
}

const SimPart* findSimPart(const std::string& modelName)
{
    for (const auto& part : simParts())
        if (part.modelName == modelName)
            return &part;
    return nullptr;
}
