#include "cli/ImageIo.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <system_error>

#include "images/ImageMessages.h"
#include "texts/FillIn.h"

namespace {

constexpr std::string_view STANDARD_STREAM = "-";

std::string systemReason(int error) { return std::generic_category().message(error); }

MemoryImageLoad readStream(std::istream& in)
{
    std::vector<std::uint8_t> bytes;
    // One byte past the limit tells a stream that is too large.
    std::istreambuf_iterator<char> it(in);
    for (const std::istreambuf_iterator<char> end; it != end && bytes.size() <= MAX_BUFFER_BYTES; ++it)
        bytes.push_back(std::uint8_t(*it));
    MemoryImageLoad failed;
    failed.fileSize = bytes.size();
    if (bytes.size() > MAX_BUFFER_BYTES) {
        failed.failure = ImageFileFailure::TooLarge;
        return failed;
    }
    if (in.bad()) {
        failed.failure = ImageFileFailure::ReadFailed;
        failed.reason = systemReason(EIO);
        return failed;
    }
    return memoryImageOfContent(std::move(bytes));
}

// The file, then the window's words (a record file's problem on the same
// line), then the system's reason when there is one.
std::string failureLine(const std::string& path, std::string text, const std::string& reason)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    if (!reason.empty())
        text += ": " + reason;
    return fillIn(texts::CLI_FILE_FAILURE, {{"file", escapeControlCharacters(path)}, {"text", text}});
}

} // namespace

MemoryImageLoad readImage(const std::string& path, std::istream& standardInput)
{
    return path == STANDARD_STREAM ? readStream(standardInput) : loadMemoryImage(path);
}

ImageSave writeImage(const std::string& path, const MemoryImage& image, std::ostream& standardOutput)
{
    if (path != STANDARD_STREAM)
        return saveMemoryImage(path, formatOfName(path).value_or(ImageFormat::Raw), image);
    standardOutput.write(reinterpret_cast<const char*>(image.bytes.data()), std::streamsize(image.bytes.size()));
    standardOutput.flush();
    if (!standardOutput)
        return {ImageFileFailure::WriteFailed, systemReason(EIO)};
    return {};
}

ImageSave checkOutputPath(const std::string& path)
{
    namespace fs = std::filesystem;
    if (path == STANDARD_STREAM)
        return {};
    std::error_code error;
    if (fs::is_directory(path, error))
        return {ImageFileFailure::CannotCreate, systemReason(EISDIR)};
    const fs::path folder = fs::path(path).parent_path();
    const std::string where = folder.empty() ? "." : folder.string();
    if (::access(where.c_str(), W_OK | X_OK) != 0)
        return {ImageFileFailure::CannotCreate, systemReason(errno)};
    return {};
}

std::string loadFailureLine(const std::string& path, const MemoryImageLoad& load)
{
    return failureLine(path, loadFailureText(load), load.reason);
}

std::string saveFailureLine(const std::string& path, const ImageSave& save)
{
    return failureLine(path, saveFailureText(save), save.reason);
}
