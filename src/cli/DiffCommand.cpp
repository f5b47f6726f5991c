#include "cli/DiffCommand.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/ImageIo.h"
#include "cli/JsonSummary.h"
#include "cli/Messages.h"
#include "images/Crc32.h"
#include "store/Comparison.h"
#include "texts/FillIn.h"
#include "texts/ResultLines.h"

namespace {

// The comparison's gauge: the command line shows none for a comparison in memory.
class NoProgress : public Progress {
public:
    void progressStart(std::uint32_t) override {}
    void progressStep() override {}
    void progressFinish() override {}
};

// A buffer of the image's bytes, in whole rows as the window's grid holds
// them; a record file's gaps are empty cells, as on a page it is loaded into.
ByteStore storeOf(const MemoryImage& image)
{
    ByteStore store(cellsForByteCount(image.size()));
    for (std::size_t k = 0; k < image.size(); ++k)
        if (image.filled[k])
            store.setByte(k, image.bytes[k]);
    return store;
}

std::optional<std::uint8_t> cellByte(const ByteStore& store, std::size_t k)
{
    return store.isHexEmpty(k) ? std::nullopt : std::optional<std::uint8_t>(store.getByte(k));
}

std::string byteOrNone(std::optional<std::uint8_t> byte)
{
    return byte ? hexNumber(*byte, 2) : toStdString(texts::CLI_NO_BYTE);
}

} // namespace

ExitStatus diffImages(const CliOptions& options, CliServices& services, CliConsole& console)
{
    Messages messages(console.err, options.quiet);
    const std::uint64_t beganUs = services.clock.nowUs();
    RunSummary summary;
    summary.operation = commandName(options.command);
    summary.files = options.files;

    std::vector<MemoryImage> images;
    ExitStatus status = ExitStatus::Ok;
    for (const std::string& path : options.files) {
        const MemoryImageLoad loaded = readImage(path, console.in);
        if (!loaded.ok()) {
            messages.say(loadFailureLine(path, loaded));
            status = ExitStatus::File;
            break;
        }
        images.push_back(loaded.image);
    }

    if (status == ExitStatus::Ok) {
        const ByteStore first = storeOf(images[0]);
        const ByteStore second = storeOf(images[1]);
        ByteStore result(second.capacity()); // sized like the second, as the window's result page
        NoProgress progress;
        const std::int64_t differences = compareBuffers(first, second, result, progress);
        const std::size_t compared = std::min(first.capacity(), second.capacity());
        for (std::size_t k = 0; k < compared; ++k) {
            if (!result.isRed(k))
                continue;
            summary.failedCells.push_back({std::uint32_t(k), cellByte(first, k), cellByte(second, k)});
            if (!options.json)
                console.out << fillIn(texts::CLI_DIFF_CELL, {{"offset", hexNumber(k, 6)},
                                                             {"first", byteOrNone(cellByte(first, k))},
                                                             {"second", byteOrNone(cellByte(second, k))}})
                            << '\n';
        }
        if (differences != 0) {
            messages.say(comparisonSummary(differences), true);
            status = ExitStatus::Failures;
        }
        // The comparison covers the rows both have; a longer file differs all the same.
        if (images[0].size() != images[1].size()) {
            messages.say(fillIn(texts::CLI_DIFF_SIZES, {{"first", escapeControlCharacters(options.files[0])},
                                                        {"firstCount", std::to_string(images[0].size())},
                                                        {"second", escapeControlCharacters(options.files[1])},
                                                        {"secondCount", std::to_string(images[1].size())}}));
            status = ExitStatus::Failures;
        }
        if (status == ExitStatus::Ok)
            messages.say(toStdString(texts::COMPARE_IDENTICAL), true);
        summary.count = std::uint32_t(compared);
        summary.crc32 = crc32(images[0].bytes);
    }

    summary.exitStatus = int(status);
    summary.seconds = double(services.clock.nowUs() - beganUs) / 1e6;
    summary.messages = messages.lines();
    if (options.json)
        console.out << toJson(summary) << '\n';
    console.out.flush();
    return status;
}
