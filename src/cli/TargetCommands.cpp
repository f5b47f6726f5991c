#include "cli/TargetCommands.h"

#include <ostream>

#include "cli/ImageIo.h"
#include "images/Crc32.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"
#include "texts/FillIn.h"
#include "texts/ResultLines.h"

namespace {

constexpr char PORT_VARIABLE[] = "ROVIDADA_PORT";
constexpr char DEFAULT_PORT[] = "COM1";
constexpr std::uint32_t ADDRESS_SPACE = 0x10000;

std::string address(std::uint32_t value) { return hexNumber(value, 4); }
std::string byte(std::uint8_t value) { return hexNumber(value, 2); }

} // namespace

TargetRun::TargetRun(const CliOptions& options, CliServices& services, CliConsole& console)
    : options_(options), services_(services), console_(console),
      progress_(console.err, console.errIsTerminal && !options.quiet, services.clock),
      buffer_([this](std::uint32_t done) { progress_.update(done); }),
      face_(console, services, options, buffer_, progress_), link_(services.clock, services.ports, face_),
      model_(*options.model), session_{link_, face_, buffer_, model_, mc9s12Mode_, crystalMHz_},
      beganUs_(services.clock.nowUs()),
      port_(options.port.value_or(services.environment(PORT_VARIABLE).value_or(DEFAULT_PORT)))
{
    // Choosing the model presets the range, as in the window.
    buffer_.setStart(std::uint16_t(model_.eepromStart));
    buffer_.setCount(model_.eepromSize);
    summary_.operation = commandName(options.command);
    summary_.port = port_;
    summary_.model = model_.name;
    summary_.files = options.files;
    if (options.output)
        summary_.files.push_back(*options.output);
}

ExitStatus TargetRun::run()
{
    switch (options_.command) {
    case CliCommand::Read: {
        const ImageSave writable = checkOutputPath(*options_.output);
        if (!writable.ok()) {
            say(saveFailureLine(*options_.output, writable));
            return ExitStatus::File;
        }
        if (*options_.output == "-" && console_.outIsTerminal) {
            say(toStdString(texts::CLI_STDOUT_IS_TERMINAL));
            return ExitStatus::File;
        }
        const ExitStatus connected = connect();
        return connected == ExitStatus::Ok ? read() : connected;
    }
    case CliCommand::Write:
    case CliCommand::Verify: {
        MemoryImage image;
        if (const ExitStatus loaded = loadImage(image); loaded != ExitStatus::Ok)
            return loaded;
        const ExitStatus connected = connect();
        if (connected != ExitStatus::Ok)
            return connected;
        return options_.command == CliCommand::Write ? write(image) : verify(image);
    }
    default: {
        const ExitStatus connected = connect();
        return connected == ExitStatus::Ok ? reportConnection() : connected;
    }
    }
}

ExitStatus TargetRun::connect()
{
    // A crystal chosen before the port is open only sets the divider; the
    // reset sends it, as after the same choice in the window.
    if (options_.crystalMHz != 0)
        selectCrystal(session_);
    const PortChoice choice = link_.openPort(port_);
    summary_.device = choice.device;
    if (!choice.usable) {
        face_.showBox(choice.failureText(), texts::CAPTION_ERROR, BoxIcon::Error);
        return ExitStatus::Port;
    }
    connectTarget(session_);
    if (face_.failure() != ExitStatus::Ok)
        return face_.failure();
    if (!face_.connected() || link_.connectionState() < 1)
        return ExitStatus::NoAnswer;
    summary_.crystalMHz = crystalMHz_;
    eepromStart_ = buffer_.startAddress();
    eepromSize_ = buffer_.byteCount();
    if (services_.stopRequested()) {
        say(fillIn(texts::CLI_INTERRUPTED_AFTER_CONNECT, {{"operation", summary_.operation}}));
        return ExitStatus::Interrupted;
    }
    return ExitStatus::Ok;
}

ExitStatus TargetRun::reportConnection()
{
    std::string port = fillIn(texts::CLI_REPORT_PORT, {{"port", port_}});
    if (*summary_.device != port_)
        port += fillIn(texts::CLI_REPORT_DEVICE, {{"device", *summary_.device}});
    result(port);
    result(fillIn(texts::CLI_REPORT_MODEL, {{"model", model_.name}}));
    result(fillIn(face_.crystalDetected() ? texts::CLI_REPORT_CRYSTAL_DETECTED : texts::CLI_REPORT_CRYSTAL_CHOSEN,
                  {{"mhz", std::to_string(crystalMHz_)}}));
    result(fillIn(texts::CLI_REPORT_EEPROM, {{"start", address(eepromStart_)}, {"count", std::to_string(eepromSize_)}}));
    summary_.start = eepromStart_;
    summary_.count = eepromSize_;
    return ExitStatus::Ok;
}

ExitStatus TargetRun::read()
{
    const std::uint16_t start = options_.start.value_or(eepromStart_);
    const std::uint32_t count = options_.count.value_or(eepromSize_);
    // Checked here too: -s or -n alone meets the other's default only now.
    if (start + count > ADDRESS_SPACE) {
        say(fillIn(texts::CLI_RANGE_PAST_END, {{"start", address(start)}, {"count", std::to_string(count)}}));
        return ExitStatus::Usage;
    }
    buffer_.setStart(start);
    buffer_.setCount(count);
    readEeprom(session_);
    if (const ExitStatus status = afterRead(); status != ExitStatus::Ok)
        return status;
    // An odd count was read as whole words; the file gets what was asked for.
    const MemoryImage image = wholeImage(start, buffer_.image(count));
    reportUnstableCells(image);
    summary_.start = start;
    summary_.count = count;
    summary_.crc32 = crc32(image.bytes);
    const ImageSave saved = writeImage(*options_.output, image, console_.out);
    if (!saved.ok()) {
        say(saveFailureLine(*options_.output, saved));
        return ExitStatus::File;
    }
    say(fillIn(texts::CLI_SAVED, {{"file", escapeControlCharacters(*options_.output)},
                                  {"count", std::to_string(count)},
                                  {"crc", hexNumber(*summary_.crc32, 8)}}),
        true);
    return ExitStatus::Ok;
}

ExitStatus TargetRun::loadImage(MemoryImage& image)
{
    const std::string& path = options_.files.front();
    if (path == "-" && console_.inIsTerminal) {
        say(toStdString(texts::CLI_STDIN_IS_TERMINAL));
        return ExitStatus::File;
    }
    MemoryImageLoad loaded = readImage(path, console_.in);
    if (!loaded.ok()) {
        say(loadFailureLine(path, loaded));
        return ExitStatus::File;
    }
    if (loaded.image.filledCount() == 0) {
        say(fillIn(texts::CLI_IMAGE_EMPTY, {{"file", escapeControlCharacters(path)}}));
        return ExitStatus::File;
    }
    if (loaded.format == ImageFormat::Raw) {
        loaded.image.startAddress = options_.start.value_or(0);
        startGiven_ = options_.start.has_value();
    } else if (options_.start) {
        say(fillIn(texts::CLI_START_FOR_RAW_ONLY, {{"file", escapeControlCharacters(path)}}));
        return ExitStatus::Usage;
    } else {
        startGiven_ = true;
    }
    summary_.crc32 = crc32(loaded.image.bytes);
    image = std::move(loaded.image);
    return ExitStatus::Ok;
}

bool TargetRun::placeImage(MemoryImage& image)
{
    if (!startGiven_)
        image.startAddress = eepromStart_;
    const std::uint32_t end = std::uint32_t(eepromStart_) + eepromSize_;
    if (image.startAddress < eepromStart_ || image.startAddress + image.size() > end) {
        say(fillIn(texts::CLI_IMAGE_DOES_NOT_FIT, {{"file", escapeControlCharacters(options_.files.front())},
                                                   {"count", std::to_string(image.size())},
                                                   {"start", address(image.startAddress)},
                                                   {"first", address(eepromStart_)},
                                                   {"last", address(end - 1)}}));
        return false;
    }
    summary_.start = image.startAddress;
    summary_.count = std::uint32_t(image.size());
    return true;
}

ExitStatus TargetRun::afterRead()
{
    if (face_.failure() != ExitStatus::Ok)
        return face_.failure();
    if (face_.stopped()) {
        say(toStdString(texts::CLI_INTERRUPTED));
        return ExitStatus::Interrupted;
    }
    return ExitStatus::Ok;
}

void TargetRun::reportUnstableCells(const MemoryImage& found)
{
    for (const std::uint32_t offset : buffer_.redCells()) {
        if (offset >= found.size())
            continue;
        const std::uint32_t at = found.startAddress + offset;
        say(fillIn(texts::CLI_UNSTABLE_CELL, {{"address", address(at)}, {"value", byte(found.bytes[offset])}}));
        if (options_.command == CliCommand::Read)
            summary_.failedCells.push_back({at, std::nullopt, found.bytes[offset]});
    }
}

ExitStatus TargetRun::write(MemoryImage image)
{
    if (!placeImage(image))
        return ExitStatus::File;
    buffer_.holdImage(image);
    buffer_.setStart(std::uint16_t(image.startAddress));
    writeEeprom(session_);

    for (const std::uint32_t offset : buffer_.redCells()) {
        // A gap, or an odd image's last word completed from the target: no byte of the file.
        const bool given = offset < image.size() && image.filled[offset];
        const auto wanted = given ? std::optional<std::uint8_t>(image.bytes[offset]) : std::nullopt;
        summary_.failedCells.push_back({image.startAddress + offset, wanted, std::nullopt});
        result(fillIn(texts::CLI_FAILED_CELL, {{"address", address(image.startAddress + offset)},
                                               {"wanted", given ? byte(*wanted) : toStdString(texts::CLI_NO_BYTE)}}));
    }
    const ExitStatus failure = face_.failure();
    if (face_.stopped() && (failure == ExitStatus::Ok || failure == ExitStatus::Failures)) {
        say(toStdString(texts::CLI_INTERRUPTED));
        return ExitStatus::Interrupted;
    }
    return failure;
}

ExitStatus TargetRun::verify(MemoryImage image)
{
    if (!placeImage(image))
        return ExitStatus::File;
    buffer_.setStart(std::uint16_t(image.startAddress));
    buffer_.setCount(std::uint32_t(image.size()));
    readEeprom(session_);
    if (const ExitStatus status = afterRead(); status != ExitStatus::Ok)
        return status;

    const MemoryImage found = wholeImage(image.startAddress, buffer_.image(std::uint32_t(image.size())));
    reportUnstableCells(found);
    std::int64_t differences = 0;
    for (std::size_t k = 0; k < image.size(); ++k) {
        if (!image.filled[k] || found.bytes[k] == image.bytes[k])
            continue;
        ++differences;
        const std::uint32_t at = image.startAddress + std::uint32_t(k);
        summary_.failedCells.push_back({at, image.bytes[k], found.bytes[k]});
        result(fillIn(texts::CLI_DIFFERING_CELL,
                      {{"address", address(at)}, {"file", byte(image.bytes[k])}, {"eeprom", byte(found.bytes[k])}}));
    }
    say(differences == 0 ? toStdString(texts::COMPARE_IDENTICAL) : comparisonSummary(differences), true);
    return differences == 0 ? ExitStatus::Ok : ExitStatus::Failures;
}

void TargetRun::finish(ExitStatus status)
{
    progress_.finish();
    link_.closeCurrentPort();
    summary_.exitStatus = int(status);
    summary_.retries = face_.retries();
    summary_.seconds = double(services_.clock.nowUs() - beganUs_) / 1e6;
    summary_.messages = face_.messages().lines();
    if (options_.json)
        console_.out << toJson(summary_) << '\n';
    console_.out.flush();
}

ExitStatus runTargetCommand(const CliOptions& options, CliServices& services, CliConsole& console)
{
    TargetRun run(options, services, console);
    const ExitStatus status = run.run();
    run.finish(status);
    return status;
}
