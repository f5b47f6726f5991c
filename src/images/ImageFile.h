// Raw memory images on disk: no header, no address, no checksum; byte k of the
// file is byte k of the buffer. Loading reads the whole file into memory before
// the caller touches its buffer; saving replaces the old file only once the new
// one is safely on disk. Failures are values with a reason; the window layer
// decides which box to show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "store/BufferLimit.h"

enum class ImageFileFailure {
    None,
    CannotOpen,     // missing, no permission, ... (reason says which)
    NotRegularFile, // a folder, a device, a pipe: nothing a raw image can be
    TooLarge,       // more bytes than a buffer can hold; nothing was read
    ReadFailed,     // an I/O error, or the file shrank after its size was taken
    CannotCreate,   // the new file could not be made next to the target
    WriteFailed,    // a write, flush or the final rename failed; the old file is untouched
    BadRecords,     // S-records or Intel HEX that cannot be read (see MemoryImageLoad::recordError)
    BeyondAddressSpace, // bytes above FFFF, which a record file of the program cannot hold; nothing written
};

struct ImageLoad {
    std::vector<std::uint8_t> bytes; // the whole file; empty on failure
    ImageFileFailure failure = ImageFileFailure::None;
    std::string reason;              // the system's words for the failure
    int error = 0;                   // the system's error number, when it gave one
    std::uint64_t fileSize = 0;      // the size the file system reported (also set for tooLarge)
    bool ok() const { return failure == ImageFileFailure::None; }
};

struct ImageSave {
    ImageFileFailure failure = ImageFileFailure::None;
    std::string reason;
    int error = 0; // the system's error number, when it gave one
    bool ok() const { return failure == ImageFileFailure::None; }
};

// For tests: runs between taking the file's size and reading it, with the open
// descriptor, to play the part of another program changing the file meanwhile.
using AfterSizeHook = std::function<void(int fd)>;

// Reads the whole file at `path` (a file-system path). A file of more than
// MAX_BUFFER_BYTES is refused before any byte is read.
ImageLoad loadImageFile(const std::string& path, const AfterSizeHook& afterSize = {});

// Writes `bytes` as the file at `path`, replacing any file there only when every
// byte has reached the disk. The new file keeps the old one's permission bits
// (a new file gets 0666 less the umask); a symbolic link is followed and stays a
// link; a file with several hard links gets a new inode, so its other names keep
// the old bytes.
ImageSave saveImageFile(const std::string& path, std::span<const std::uint8_t> bytes);
