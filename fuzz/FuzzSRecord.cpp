// Reading S-record files of any content.
#include "FuzzRecordReader.h"
#include "images/SRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkRecordReader(data, size, readSRecords,
                      [](const MemoryImage& image) { return writeSRecords(image, image.header); });
    return 0;
}
