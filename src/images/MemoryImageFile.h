// Loading and saving memory images in every format the program knows: the one
// entry point of the window and of the command line.
//
//   MemoryImageLoad load = loadMemoryImage(path);
//   if (!load.ok()) ... loadFailureText(load) says why (images/ImageMessages.h)
//   if (load.format == ImageFormat::Raw) ... a raw file names no address: keep your own start
//   ... load.image: start address, bytes, gaps (empty cells), S0 header
//
//   ImageSave saved = saveMemoryImage(path, formatOfName(path).value_or(ImageFormat::Raw), image);
//   if (!saved.ok()) ... saveFailureText(saved)
//
// The format of a file that is read is recognised from its content, never from
// its name: S-records when every non-empty line is a line of text (printable
// ASCII) that begins with S and a digit, Intel HEX when every one begins with
// a colon; anything else is a raw image, loaded byte for byte. A record file
// broken in any other way is refused with the line at fault. A file of more
// than MAX_BUFFER_BYTES is refused before it is read, and a failed load gives no
// bytes at all. Saving writes the format asked for, through the same safe save
// as raw images: the old file is replaced only once the new one is on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "images/ImageFile.h"
#include "images/MemoryImage.h"
#include "images/RecordRead.h"

enum class ImageFormat { Raw, SRecord, IntelHex };

struct MemoryImageLoad {
    ImageFormat format = ImageFormat::Raw;
    // Raw: start address 0 (the file names none) and every byte given. Records:
    // see ImageAssembler::image (the start rounded down to 16, gaps where no
    // record gives a byte).
    MemoryImage image;
    ImageFileFailure failure = ImageFileFailure::None;
    std::string reason;        // the system's words for a file that could not be read
    int error = 0;             // the system's error number, when it gave one
    std::uint64_t fileSize = 0;
    RecordError recordError;   // for badRecords: the first problem, with its line
    bool ok() const { return failure == ImageFileFailure::None; }
};

// Reads the file at `path` (a file-system path). `afterSize` is for tests, as
// for loadImageFile.
MemoryImageLoad loadMemoryImage(const std::string& path, const AfterSizeHook& afterSize = {});

// The same for content that came from elsewhere than a file (standard input).
MemoryImageLoad memoryImageOfContent(std::vector<std::uint8_t> content);

// The format a file name asks for by its ending (.s19, .s28, .s37, .mot, .srec;
// .hex, .ihx; .bin; in any case); none for other names.
std::optional<ImageFormat> formatOfName(std::string_view path);

// Writes `image` as the file at `path`. Raw: every byte from the image's start,
// a gap as 0x00 (as an empty cell reads). S-records and Intel HEX: the given
// bytes at their addresses and nothing for a gap (see writeSRecords,
// writeIntelHex); an image without an S0 text gets the program's name and
// version (the window's title) there. They hold no address above FFFF: such an image is refused
// (beyondAddressSpace) and nothing is written.
ImageSave saveMemoryImage(const std::string& path, ImageFormat format, const MemoryImage& image);
