// Filling the catalogue's image-file texts with the numbers of a problem.
#include "images/ImageMessages.h"

#include "texts/FillIn.h"
#include "texts/SystemReasons.h"

namespace {

std::string decimal(std::uint64_t value) { return std::to_string(value); }

// Four digits as the grid's labels show addresses; more for those beyond 16 bits.
std::string address(std::uint64_t value) { return hexNumber(value, value > 0xFFFFFF ? 8 : value > 0xFFFF ? 6 : 4); }

std::string characterText(char c)
{
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F)
        return fillIn(texts::RECORD_CHARACTER, {{"character", std::string(1, c)}});
    return fillIn(texts::RECORD_CHARACTER_CODE, {{"code", hexNumber(code, 2)}});
}

std::string typeText(ImageFormat format, std::uint8_t type)
{
    if (format == ImageFormat::SRecord)
        return fillIn(texts::RECORD_TYPE_SRECORD, {{"type", decimal(type)}});
    return fillIn(texts::RECORD_TYPE_INTEL_HEX, {{"type", hexNumber(type, 2)}});
}

} // namespace

std::string recordErrorText(ImageFormat format, const RecordError& e)
{
    const std::string line = decimal(e.line);
    switch (e.problem) {
    case RecordProblem::None:
        break;
    case RecordProblem::NotARecord:
        return fillIn(texts::RECORD_NOT_A_RECORD, {{"line", line}});
    case RecordProblem::NotHexDigit:
        return fillIn(texts::RECORD_NOT_HEX_DIGIT,
                      {{"line", line}, {"column", decimal(e.column)}, {"character", characterText(e.character)}});
    case RecordProblem::LineTooShort:
    case RecordProblem::LineTooLong:
        return fillIn(e.problem == RecordProblem::LineTooShort ? texts::RECORD_LINE_TOO_SHORT
                                                               : texts::RECORD_LINE_TOO_LONG,
                      {{"line", line}, {"found", decimal(e.found)}, {"expected", decimal(e.expected)}});
    case RecordProblem::BadLength:
        return fillIn(texts::RECORD_BAD_LENGTH,
                      {{"line", line}, {"found", hexNumber(e.found, 2)}, {"type", typeText(format, e.recordType)}});
    case RecordProblem::BadChecksum:
        return fillIn(texts::RECORD_BAD_CHECKSUM,
                      {{"line", line}, {"found", hexNumber(e.found, 2)}, {"expected", hexNumber(e.expected, 2)}});
    case RecordProblem::UnknownType:
        return fillIn(texts::RECORD_UNKNOWN_TYPE, {{"line", line}, {"type", typeText(format, e.recordType)}});
    case RecordProblem::AfterEnd:
        return fillIn(texts::RECORD_AFTER_END, {{"line", line}, {"other", decimal(e.otherLine)}});
    case RecordProblem::CountMismatch:
        return fillIn(texts::RECORD_COUNT_MISMATCH, {{"line", line},
                                                     {"type", typeText(format, e.recordType)},
                                                     {"found", decimal(e.found)},
                                                     {"expected", decimal(e.expected)}});
    case RecordProblem::BeyondAddressSpace:
        return fillIn(texts::RECORD_BEYOND_ADDRESS_SPACE,
                      {{"line", line}, {"address", address(e.address)}, {"last", address(e.lastAddress)}});
    case RecordProblem::Overlap:
        return fillIn(texts::RECORD_OVERLAP,
                      {{"line", line}, {"other", decimal(e.otherLine)}, {"address", address(e.address)}});
    case RecordProblem::NoEndRecord:
        return toStdString(texts::RECORD_NO_END);
    case RecordProblem::NoData:
        return toStdString(texts::RECORD_NO_DATA);
    }
    return {};
}

std::string loadFailureText(const MemoryImageLoad& load)
{
    switch (load.failure) {
    case ImageFileFailure::TooLarge:
        return toStdString(texts::FILE_TOO_LARGE);
    case ImageFileFailure::BadRecords:
        return toStdString(load.format == ImageFormat::SRecord ? texts::RECORDS_BROKEN_SRECORD
                                                               : texts::RECORDS_BROKEN_INTEL_HEX) +
               "\n" + recordErrorText(load.format, load.recordError);
    default:
        return toStdString(texts::FILE_CANNOT_OPEN);
    }
}

std::string saveFailureText(const ImageSave& save)
{
    if (save.failure == ImageFileFailure::BeyondAddressSpace)
        return toStdString(texts::SAVE_BEYOND_ADDRESS_SPACE);
    return toStdString(texts::FILE_CANNOT_OPEN);
}

std::string withReasonLine(std::string text, int error)
{
    if (error != 0)
        text += "\n" + systemReasonText(error, ReasonFor::File);
    return text;
}
