#include "procedures/ModelTable.h"

const std::array<ModelInfo, 8>& modelTable()
{
    static const std::array<ModelInfo, 8> table{{
        {"Model", 0x0000, 512},
        {"HC12B", 0x0D00, 768},
        {"HC812A4", 0xF000, 4096},
        {"HC912Dx128x", 0x0800, 2048},
        {"HC912D60x", 0x0C00, 1024},
        {"HC(9)12D60", 0x0C00, 1024},
        {"MC9S12DBx", 0x0800, 2048},
        {"MC9S12DT128", 0x0800, 2048},
    }};
    return table;
}
