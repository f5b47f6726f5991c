// Reading and writing Intel HEX, one line per record.
#include "images/IntelHex.h"

#include <span>
#include <vector>

#include "images/ImageAssembler.h"
#include "images/RecordText.h"

namespace {

enum RecordType : std::uint8_t {
    DATA = 0x00,
    END_OF_FILE = 0x01,
    SEGMENT_BASE = 0x02,
    SEGMENT_START = 0x03,
    LINEAR_BASE = 0x04,
    LINEAR_START = 0x05,
};

constexpr std::size_t MARK = 1;              // ":"
constexpr std::size_t FRAME_BYTES = 5;        // length, offset (2), type, checksum
constexpr std::size_t DATA_AT = 4;            // the first data byte after length, offset and type
constexpr std::size_t INTEL_HEX_DATA_BYTES = 16;

constexpr int ANY_LENGTH = -1;
constexpr int NO_SUCH_TYPE = -2;

// The data bytes a record of `type` carries.
int dataLengthOf(std::uint8_t type)
{
    switch (type) {
    case DATA:
        return ANY_LENGTH;
    case END_OF_FILE:
        return 0;
    case SEGMENT_BASE:
    case LINEAR_BASE:
        return 2;
    case SEGMENT_START:
    case LINEAR_START:
        return 4;
    default:
        return NO_SUCH_TYPE;
    }
}

std::uint8_t checksumOf(unsigned sum) { return std::uint8_t(0x100 - (sum & 0xFF)); }

// Checks everything a record must have before its meaning is used.
RecordError checkRecord(const RecordLine& line, std::vector<std::uint8_t>& bytes)
{
    if (RecordError error = decodeHexPairs(line, MARK, bytes); error.problem != RecordProblem::None)
        return error;
    const std::size_t shortest = MARK + 2 * FRAME_BYTES;
    if (line.text.size() < shortest)
        return checkLineLength(line, shortest);
    if (RecordError error = checkLineLength(line, shortest + 2 * std::size_t(bytes[0]));
        error.problem != RecordProblem::None)
        return error;
    const std::uint8_t sum = checksumOf(byteSum(std::span(bytes).first(bytes.size() - 1)));
    if (RecordError error = checkChecksum(line, bytes.back(), sum); error.problem != RecordProblem::None)
        return error;
    const std::uint8_t type = bytes[3];
    const int length = dataLengthOf(type);
    if (length == NO_SUCH_TYPE || (length != ANY_LENGTH && bytes[0] != length)) {
        RecordError error =
            lineError(length == NO_SUCH_TYPE ? RecordProblem::UnknownType : RecordProblem::BadLength, line);
        error.recordType = type;
        error.found = bytes[0];
        return error;
    }
    return {};
}

void appendDataRecord(std::string& text, std::uint32_t address, std::span<const std::uint8_t> data)
{
    const std::uint8_t head[] = {std::uint8_t(data.size()), std::uint8_t(address >> 8), std::uint8_t(address), DATA};
    text += ':';
    appendHexBytes(text, head);
    appendHexBytes(text, data);
    const std::uint8_t checksum[] = {checksumOf(byteSum(head) + byteSum(data))};
    appendHexBytes(text, checksum);
    text += '\n';
}

} // namespace

RecordRead readIntelHex(std::string_view content)
{
    ImageAssembler assembler;
    std::uint64_t base = 0;
    std::size_t endLine = 0;
    std::vector<std::uint8_t> bytes;
    RecordLines lines(content);
    RecordLine line;
    while (lines.next(line)) {
        if (endLine != 0)
            return {{}, recordAfterEnd(line, endLine)};
        if (line.text[0] != ':')
            return {{}, lineError(RecordProblem::NotARecord, line)};
        if (RecordError error = checkRecord(line, bytes); error.problem != RecordProblem::None)
            return {{}, error};

        const std::uint64_t offset = std::uint64_t(bytes[1]) << 8 | bytes[2];
        const auto data = std::span(bytes).subspan(DATA_AT, bytes[0]);
        const std::uint64_t value = data.size() >= 2 ? std::uint64_t(data[0]) << 8 | data[1] : 0;
        switch (bytes[3]) {
        case DATA:
            if (RecordError error = assembler.place(base + offset, data, line.number);
                error.problem != RecordProblem::None)
                return {{}, error};
            break;
        case END_OF_FILE:
            endLine = line.number;
            break;
        case SEGMENT_BASE:
            base = value << 4;
            break;
        case LINEAR_BASE:
            base = value << 16;
            break;
        default: // the start addresses mean nothing to an EEPROM image
            break;
        }
    }
    if (!assembler.holdsData())
        return {{}, RecordError{RecordProblem::NoData}};
    if (endLine == 0)
        return {{}, RecordError{RecordProblem::NoEndRecord}};
    return {assembler.image({}), {}};
}

std::string writeIntelHex(const MemoryImage& image)
{
    std::string text;
    forEachRecordPiece(image, INTEL_HEX_DATA_BYTES, [&](std::uint32_t address, std::span<const std::uint8_t> data) {
        appendDataRecord(text, address, data);
    });
    text += ":00000001FF\n";
    return text;
}
