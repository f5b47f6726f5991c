#include "cli/ImageIo.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <system_error>

#include "texts/FormatText.h"

namespace {

constexpr std::string_view kStandardStream = "-";

ImageLoad readStream(std::istream& in)
{
    ImageLoad image;
    // One byte past the limit tells a stream that is too large.
    std::istreambuf_iterator<char> it(in);
    for (const std::istreambuf_iterator<char> end; it != end && image.bytes.size() <= MAX_IMAGE_BYTES; ++it)
        image.bytes.push_back(std::uint8_t(*it));
    image.fileSize = image.bytes.size();
    if (image.bytes.size() > MAX_IMAGE_BYTES) {
        image.bytes.clear();
        image.failure = ImageFileFailure::tooLarge;
    } else if (in.bad()) {
        image.bytes.clear();
        image.failure = ImageFileFailure::readFailed;
        image.reason = std::generic_category().message(EIO);
    }
    return image;
}

std::string systemReason(int error) { return std::generic_category().message(error); }

} // namespace

ImageLoad readImage(const std::string& path, std::istream& standardInput)
{
    return path == kStandardStream ? readStream(standardInput) : loadImageFile(path);
}

ImageSave writeImage(const std::string& path, std::span<const std::uint8_t> bytes, std::ostream& standardOutput)
{
    if (path != kStandardStream)
        return saveImageFile(path, bytes);
    standardOutput.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    standardOutput.flush();
    if (!standardOutput)
        return {ImageFileFailure::writeFailed, systemReason(EIO)};
    return {};
}

ImageSave checkOutputPath(const std::string& path)
{
    namespace fs = std::filesystem;
    if (path == kStandardStream)
        return {};
    std::error_code error;
    if (fs::is_directory(path, error))
        return {ImageFileFailure::cannotCreate, systemReason(EISDIR)};
    const fs::path folder = fs::path(path).parent_path();
    const std::string where = folder.empty() ? "." : folder.string();
    if (::access(where.c_str(), W_OK | X_OK) != 0)
        return {ImageFileFailure::cannotCreate, systemReason(errno)};
    return {};
}

std::string imageFailureLine(const std::string& path, ImageFileFailure failure, const std::string& reason)
{
    const std::string shown = escapeControlCharacters(path);
    if (failure == ImageFileFailure::tooLarge)
        return shown + ": " + toStdString(texts::FILE_TOO_LARGE);
    return formatText(texts::CLI_FILE_FAILURE, toStdString(texts::FILE_CANNOT_OPEN).c_str(), shown.c_str(),
                      reason.c_str());
}
