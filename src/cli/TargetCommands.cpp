#include "cli/TargetCommands.h"

#include <optional>
#include <ostream>
#include <vector>

#include "cli/ImageIo.h"
#include "images/Crc32.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"
#include "texts/FormatText.h"
#include "texts/ResultLines.h"

namespace {

constexpr char kPortVariable[] = "ROVIDADA_PORT";
constexpr char kDefaultPort[] = "COM1";
constexpr std::uint32_t kAddressSpace = 0x10000;

} // namespace

TargetRun::TargetRun(const CliOptions& options, CliServices& services, CliConsole& console)
    : options_(options), services_(services), console_(console),
      progress_(console.err, console.errIsTerminal && !options.quiet, services.clock),
      buffer_([this](std::uint32_t done) { progress_.update(done); }),
      face_(console, services, options, buffer_, progress_), link_(services.clock, services.ports, face_),
      model_(*options.model), session_{link_, face_, buffer_, model_, mc9s12Mode_, crystalMHz_},
      beganUs_(services.clock.nowUs()),
      port_(options.port.value_or(services.environment(kPortVariable).value_or(kDefaultPort)))
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
            say(imageFailureLine(*options_.output, writable.failure, writable.reason));
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
        const auto image = loadImage();
        if (!image)
            return ExitStatus::File;
        const ExitStatus connected = connect();
        if (connected != ExitStatus::Ok)
            return connected;
        return options_.command == CliCommand::Write ? write(*image) : verify(*image);
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
        say(formatText(texts::CLI_INTERRUPTED_AFTER_CONNECT, summary_.operation.c_str()));
        return ExitStatus::Interrupted;
    }
    return ExitStatus::Ok;
}

ExitStatus TargetRun::reportConnection()
{
    std::string port = formatText(texts::CLI_REPORT_PORT, port_.c_str());
    if (*summary_.device != port_)
        port += formatText(texts::CLI_REPORT_DEVICE, summary_.device->c_str());
    result(port);
    result(formatText(texts::CLI_REPORT_MODEL, model_.name.c_str()));
    result(formatText(face_.crystalDetected() ? texts::CLI_REPORT_CRYSTAL_DETECTED : texts::CLI_REPORT_CRYSTAL_CHOSEN,
                      crystalMHz_));
    result(formatText(texts::CLI_REPORT_EEPROM, unsigned(eepromStart_), unsigned(eepromSize_)));
    summary_.start = eepromStart_;
    summary_.count = eepromSize_;
    return ExitStatus::Ok;
}

ExitStatus TargetRun::read()
{
    const std::uint16_t start = options_.start.value_or(eepromStart_);
    const std::uint32_t count = options_.count.value_or(eepromSize_);
    // Checked here too: -s or -n alone meets the other's default only now.
    if (start + count > kAddressSpace) {
        say(formatText(texts::CLI_RANGE_PAST_END, unsigned(start), unsigned(count)));
        return ExitStatus::Usage;
    }
    buffer_.setStart(start);
    buffer_.setCount(count);
    readEeprom(session_);
    if (const ExitStatus status = afterRead(); status != ExitStatus::Ok)
        return status;
    // An odd count was read as whole words; the file gets what was asked for.
    const std::vector<std::uint8_t> image = buffer_.image(count);
    for (const std::uint32_t offset : buffer_.redCells()) {
        if (offset >= count)
            continue;
        say(formatText(texts::CLI_UNSTABLE_CELL, unsigned(start + offset), unsigned(image[offset])));
        summary_.failedCells.push_back({start + offset, std::nullopt, image[offset]});
    }
    summary_.start = start;
    summary_.count = count;
    summary_.crc32 = crc32(image);
    const ImageSave saved = writeImage(*options_.output, image, console_.out);
    if (!saved.ok()) {
        say(imageFailureLine(*options_.output, saved.failure, saved.reason));
        return ExitStatus::File;
    }
    say(formatText(texts::CLI_SAVED, escapeControlCharacters(*options_.output).c_str(), image.size(), unsigned(*summary_.crc32)), true);
    return ExitStatus::Ok;
}

std::optional<std::vector<std::uint8_t>> TargetRun::loadImage()
{
    const std::string& path = options_.files.front();
    if (path == "-" && console_.inIsTerminal) {
        say(toStdString(texts::CLI_STDIN_IS_TERMINAL));
        return std::nullopt;
    }
    ImageLoad loaded = readImage(path, console_.in);
    if (!loaded.ok()) {
        say(imageFailureLine(path, loaded.failure, loaded.reason));
        return std::nullopt;
    }
    if (loaded.bytes.empty()) {
        say(formatText(texts::CLI_IMAGE_EMPTY, escapeControlCharacters(path).c_str()));
        return std::nullopt;
    }
    summary_.crc32 = crc32(loaded.bytes);
    return std::move(loaded.bytes);
}

std::optional<std::uint16_t> TargetRun::imageStart(std::size_t size)
{
    const std::uint16_t start = options_.start.value_or(eepromStart_);
    const std::uint32_t end = std::uint32_t(eepromStart_) + eepromSize_;
    if (start < eepromStart_ || start + size > end) {
        say(formatText(texts::CLI_IMAGE_DOES_NOT_FIT, escapeControlCharacters(options_.files.front()).c_str(), size, unsigned(start),
                       unsigned(eepromStart_), unsigned(end - 1)));
        return std::nullopt;
    }
    summary_.start = start;
    summary_.count = std::uint32_t(size);
    return start;
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

ExitStatus TargetRun::write(const std::vector<std::uint8_t>& image)
{
    const auto placed = imageStart(image.size());
    if (!placed)
        return ExitStatus::File;
    const std::uint16_t start = *placed;
    buffer_.holdImage(image);
    buffer_.setStart(start);
    writeEeprom(session_);

    for (const std::uint32_t offset : buffer_.redCells()) {
        // An odd image's last word is completed from the target: that cell has no byte in the file.
        const auto wanted = offset < image.size() ? std::optional<std::uint8_t>(image[offset]) : std::nullopt;
        summary_.failedCells.push_back({start + offset, wanted, std::nullopt});
        result(formatText(texts::CLI_FAILED_CELL, unsigned(start + offset), unsigned(wanted.value_or(0))));
    }
    const ExitStatus failure = face_.failure();
    if (face_.stopped() && (failure == ExitStatus::Ok || failure == ExitStatus::Failures)) {
        say(toStdString(texts::CLI_INTERRUPTED));
        return ExitStatus::Interrupted;
    }
    return failure;
}

ExitStatus TargetRun::verify(const std::vector<std::uint8_t>& image)
{
    const auto placed = imageStart(image.size());
    if (!placed)
        return ExitStatus::File;
    const std::uint16_t start = *placed;
    buffer_.setStart(start);
    buffer_.setCount(std::uint32_t(image.size()));
    readEeprom(session_);
    if (const ExitStatus status = afterRead(); status != ExitStatus::Ok)
        return status;

    const std::vector<std::uint8_t> found = buffer_.image(std::uint32_t(image.size()));
    for (const std::uint32_t offset : buffer_.redCells())
        if (offset < image.size())
            say(formatText(texts::CLI_UNSTABLE_CELL, unsigned(start + offset), unsigned(found[offset])));
    std::int64_t differences = 0;
    for (std::size_t k = 0; k < image.size(); ++k) {
        if (found[k] == image[k])
            continue;
        ++differences;
        summary_.failedCells.push_back({std::uint32_t(start + k), image[k], found[k]});
        result(formatText(texts::CLI_DIFFERING_CELL, unsigned(start + k), unsigned(image[k]), unsigned(found[k])));
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
