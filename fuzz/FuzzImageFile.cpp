// Loading files of random contents and sizes: the bytes come back exactly, and
// a load never reports success with fewer bytes than the file holds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "images/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/rovidada-fuzz-image-" + std::to_string(getpid());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const auto loaded = loadImageFile(path);
    if (!loaded.ok() || loaded.bytes.size() != size ||
        (size != 0 && std::memcmp(loaded.bytes.data(), data, size) != 0))
        std::abort();

    const std::string copy = path + ".saved";
    if (saveImageFile(copy, loaded.bytes).ok()) {
        const auto again = loadImageFile(copy);
        if (!again.ok() || again.bytes != loaded.bytes)
            std::abort();
    }
    std::remove(copy.c_str());
    return 0;
}
