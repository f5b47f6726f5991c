// Reading Intel HEX files of any content.
#include "FuzzRecordReader.h"
#include "images/IntelHex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkRecordReader(data, size, readIntelHex, writeIntelHex);
    return 0;
}
