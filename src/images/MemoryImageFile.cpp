// Choosing the format of an image file and handing it to its reader or writer.
#include "images/MemoryImageFile.h"

#include <algorithm>
#include <cctype>

#include "images/IntelHex.h"
#include "images/RecordText.h"
#include "images/SRecord.h"
#include "texts/Texts.h"

namespace {

// A record line is text: a binary file whose first bytes happen to be "S1" or
// ":" is no record file, and stays the raw image it always was.
bool isPlainText(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; });
}

bool isSRecordLine(std::string_view line)
{
    return line.size() >= 2 && line[0] == 'S' && line[1] >= '0' && line[1] <= '9' && isPlainText(line);
}

bool isIntelHexLine(std::string_view line) { return line[0] == ':' && isPlainText(line); }

// Stops at the first line that fits neither format, so that a large binary
// file costs a look at its first line only.
ImageFormat formatOfContent(std::string_view content)
{
    RecordLines lines(content);
    RecordLine line;
    bool sRecords = true;
    bool intelHex = true;
    bool anyLine = false;
    while ((sRecords || intelHex) && lines.next(line)) {
        anyLine = true;
        sRecords = sRecords && isSRecordLine(line.text);
        intelHex = intelHex && isIntelHexLine(line.text);
    }
    if (anyLine && sRecords)
        return ImageFormat::SRecord;
    if (anyLine && intelHex)
        return ImageFormat::IntelHex;
    return ImageFormat::Raw;
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

} // namespace

MemoryImageLoad loadMemoryImage(const std::string& path, const AfterSizeHook& afterSize)
{
    ImageLoad file = loadImageFile(path, afterSize);
    if (!file.ok()) {
        MemoryImageLoad load;
        load.failure = file.failure;
        load.reason = std::move(file.reason);
        load.error = file.error;
        load.fileSize = file.fileSize;
        return load;
    }
    return memoryImageOfContent(std::move(file.bytes));
}

MemoryImageLoad memoryImageOfContent(std::vector<std::uint8_t> bytes)
{
    MemoryImageLoad load;
    load.fileSize = bytes.size();
    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    load.format = formatOfContent(content);
    if (load.format == ImageFormat::Raw) {
        load.image = wholeImage(0, std::move(bytes));
        return load;
    }
    RecordRead read = load.format == ImageFormat::SRecord ? readSRecords(content) : readIntelHex(content);
    if (!read.ok()) {
        load.failure = ImageFileFailure::BadRecords;
        load.recordError = read.error;
        return load;
    }
    load.image = std::move(read.image);
    return load;
}

std::optional<ImageFormat> formatOfName(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return std::nullopt;
    const std::string ending = lowerCase(path.substr(dot + 1));
    for (const char* s : {"s19", "s28", "s37", "mot", "srec"})
        if (ending == s)
            return ImageFormat::SRecord;
    if (ending == "hex" || ending == "ihx")
        return ImageFormat::IntelHex;
    if (ending == "bin")
        return ImageFormat::Raw;
    return std::nullopt;
}

ImageSave saveMemoryImage(const std::string& path, ImageFormat format, const MemoryImage& image)
{
    if (format == ImageFormat::Raw)
        return saveImageFile(path, image.bytes);
    if (const auto last = image.lastFilledAddress(); last && *last > MAX_IMAGE_ADDRESS)
        return {ImageFileFailure::BeyondAddressSpace, "an address above FFFF"};
    const std::string programName = toStdString(texts::FRAME_TITLE);
    const std::string text = format == ImageFormat::IntelHex
                                 ? writeIntelHex(image)
                                 : writeSRecords(image, image.header.empty() ? programName : image.header);
    return saveImageFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
