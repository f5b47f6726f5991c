// Loading image files of random contents and sizes through the program's one
// entry point, from an anonymous in-memory file (memfd: nothing on disk, nothing
// left in /tmp), and through every decision a load makes: the format, the size
// limit, a file that shrinks while it is read, the questions before a larger
// file replaces a buffer, and the result line. The first bytes of an input steer
// the file's size (near the questions' 64 KiB threshold, near the size limit)
// and the buffer's byte count; the rest is the file's content.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "images/LoadQuestions.h"
#include "images/MemoryImageFile.h"
#include "store/BufferLimit.h"
#include "texts/ResultLines.h"

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

std::uint32_t takeWord(const std::uint8_t*& data, std::size_t& size)
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size)
        word = word << 8 | *data;
    return word;
}

// The file's size: its content as it is, or stretched (zeros after the content)
// to a size just around one of the sizes where a load decides differently.
std::uint64_t chosenSize(std::uint8_t how, std::uint32_t offset, std::size_t contentBytes)
{
    const std::int64_t delta = std::int64_t(offset % 64) - 32;
    switch (how % 8) { // mostly files as they are: a load near the limit takes long
    case 1:
        return std::uint64_t(std::max<std::int64_t>(std::int64_t(contentBytes), VERY_LARGE_FILE_BYTES + delta));
    case 2:
        return std::uint64_t(std::max<std::int64_t>(std::int64_t(contentBytes), MAX_BUFFER_BYTES + delta));
    default:
        return contentBytes;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return 0;
    const std::uint8_t how = *data++;
    --size;
    const std::uint32_t shaping = takeWord(data, size);
    const std::uint32_t bufferBytes = takeWord(data, size) % (MAX_BUFFER_BYTES + 1);
    const bool shrinks = how & 0x80;

    const int fd = ::memfd_create("rovidada-fuzz-image", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    const std::uint64_t fileBytes = chosenSize(how, shaping, size);
    check(::write(fd, data, size) == ssize_t(size));
    check(::ftruncate(fd, off_t(fileBytes)) == 0);
    // Another program cuts the file short after its size was taken (through
    // its own descriptor: the load's is read-only).
    const std::uint64_t shortBytes = fileBytes / 2;
    AfterSizeHook shrink;
    if (shrinks && fileBytes > 0)
        shrink = [fd, shortBytes](int) { check(::ftruncate(fd, off_t(shortBytes)) == 0); };

    const MemoryImageLoad load = loadMemoryImage("/proc/self/fd/" + std::to_string(fd), shrink);
    ::close(fd);

    if (fileBytes > MAX_BUFFER_BYTES) {
        check(load.failure == ImageFileFailure::TooLarge && load.image.bytes.empty());
        return 0;
    }
    if (shrinks && fileBytes > 0) {
        check(!load.ok() && load.image.bytes.empty());
        return 0;
    }
    if (!load.ok()) {
        // Only a record file can be refused for its content.
        check(load.failure == ImageFileFailure::BadRecords && load.format != ImageFormat::Raw);
        return 0;
    }
    if (load.format == ImageFormat::Raw) {
        check(load.image.bytes.size() == fileBytes && load.image.startAddress == 0);
        check(size == 0 || std::memcmp(load.image.bytes.data(), data, size) == 0);
        for (std::size_t k = size; k < fileBytes; ++k)
            check(load.image.bytes[k] == 0);
    }

    const std::uint64_t loaded = load.image.bytes.size();
    const LoadQuestions asks = loadQuestions(loaded, bufferBytes);
    check(asks.largerThanBuffer == (loaded > bufferBytes));
    check(asks.veryLarge == (loaded > bufferBytes && loaded >= VERY_LARGE_FILE_BYTES));
    check(loadResultLine(loaded).rfind("Wczytano ", 0) == 0);
    return 0;
}
