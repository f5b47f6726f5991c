// Reading and writing S-records, one line per record.
#include "images/SRecord.h"

#include <span>
#include <vector>

#include "images/ImageAssembler.h"
#include "images/RecordText.h"

namespace {

enum class Role { header, data, count, end, unknown };

struct RecordKind {
    Role role;
    std::size_t addressBytes;
};

// S0 to S9 by the digit after the S. S4 has never been defined.
constexpr RecordKind kKinds[10] = {
    {Role::header, 2}, {Role::data, 2},  {Role::data, 3}, {Role::data, 4}, {Role::unknown, 0},
    {Role::count, 2},  {Role::count, 3}, {Role::end, 4},  {Role::end, 3},  {Role::end, 2},
};

constexpr std::size_t kMarkAndType = 2;     // "S1"
constexpr std::size_t kLongestHeader = 252; // 255 bytes after the length byte, less address and checksum
constexpr std::size_t kWrittenDataBytes = 32;

std::uint64_t bigEndian(std::span<const std::uint8_t> bytes)
{
    std::uint64_t value = 0;
    for (std::uint8_t b : bytes)
        value = value << 8 | b;
    return value;
}

std::uint8_t checksumOf(std::span<const std::uint8_t> bytes) { return std::uint8_t(~byteSum(bytes)); }

// The bytes of one line after its type: length byte, address, data, checksum.
// Checks everything a record of `kind` must have before its meaning is used.
RecordError checkRecord(const RecordLine& line, const RecordKind& kind, std::uint8_t type,
                        std::vector<std::uint8_t>& bytes)
{
    if (RecordError error = decodeHexPairs(line, kMarkAndType, bytes); error.problem != RecordProblem::none)
        return error;
    if (line.text.size() < kMarkAndType + 2)
        return checkLineLength(line, kMarkAndType + 2 * (1 + kind.addressBytes + 1));
    if (RecordError error = checkLineLength(line, kMarkAndType + 2 * (1 + std::size_t(bytes[0])));
        error.problem != RecordProblem::none)
        return error;
    const bool fixedLength = kind.role == Role::count || kind.role == Role::end;
    if (bytes[0] < kind.addressBytes + 1 || (fixedLength && bytes[0] != kind.addressBytes + 1)) {
        RecordError error = lineError(RecordProblem::badLength, line);
        error.found = bytes[0];
        error.recordType = type;
        return error;
    }
    return checkChecksum(line, bytes.back(), checksumOf(std::span(bytes).first(bytes.size() - 1)));
}

// One record with a 16-bit address, the only width the program writes.
void appendRecord(std::string& text, char type, std::uint32_t address, std::span<const std::uint8_t> data)
{
    const std::uint8_t head[] = {std::uint8_t(2 + data.size() + 1), std::uint8_t(address >> 8),
                                 std::uint8_t(address)};
    text += 'S';
    text += type;
    appendHexBytes(text, head);
    appendHexBytes(text, data);
    const std::uint8_t checksum[] = {std::uint8_t(~(byteSum(head) + byteSum(data)))};
    appendHexBytes(text, checksum);
    text += '\n';
}

} // namespace

RecordRead readSRecords(std::string_view content)
{
    ImageAssembler assembler;
    std::string header;
    bool headerSeen = false;
    std::uint64_t dataRecords = 0;
    std::size_t endLine = 0;
    std::vector<std::uint8_t> bytes;
    RecordLines lines(content);
    RecordLine line;
    while (lines.next(line)) {
        if (endLine != 0)
            return {{}, recordAfterEnd(line, endLine)};
        if (line.text.size() < kMarkAndType || line.text[0] != 'S' || line.text[1] < '0' || line.text[1] > '9')
            return {{}, lineError(RecordProblem::notARecord, line)};
        const auto type = std::uint8_t(line.text[1] - '0');
        const RecordKind& kind = kKinds[type];
        if (kind.role == Role::unknown) {
            RecordError error = lineError(RecordProblem::unknownType, line);
            error.recordType = type;
            return {{}, error};
        }
        if (RecordError error = checkRecord(line, kind, type, bytes); error.problem != RecordProblem::none)
            return {{}, error};

        const std::uint64_t address = bigEndian(std::span(bytes).subspan(1, kind.addressBytes));
        const auto data = std::span(bytes).subspan(1 + kind.addressBytes, bytes.size() - kind.addressBytes - 2);
        switch (kind.role) {
        case Role::header:
            if (!headerSeen)
                header.assign(data.begin(), data.end());
            headerSeen = true;
            break;
        case Role::data:
            if (RecordError error = assembler.place(address, data, line.number); error.problem != RecordProblem::none)
                return {{}, error};
            ++dataRecords;
            break;
        case Role::count:
            if (address != dataRecords) {
                RecordError error = lineError(RecordProblem::countMismatch, line);
                error.recordType = type;
                error.found = address;
                error.expected = dataRecords;
                return {{}, error};
            }
            break;
        case Role::end:
            endLine = line.number;
            break;
        case Role::unknown:
            break;
        }
    }
    if (!assembler.holdsData())
        return {{}, RecordError{RecordProblem::noData}};
    return {assembler.image(std::move(header)), {}};
}

std::string writeSRecords(const MemoryImage& image, std::string_view header)
{
    std::string text;
    header = header.substr(0, kLongestHeader);
    appendRecord(text, '0', 0, std::span(reinterpret_cast<const std::uint8_t*>(header.data()), header.size()));
    std::uint32_t dataRecords = 0;
    forEachRecordPiece(image, kWrittenDataBytes, [&](std::uint32_t address, std::span<const std::uint8_t> data) {
        appendRecord(text, '1', address, data);
        ++dataRecords;
    });
    // At most one record in two addresses (a gap between any two), so the count fits S5's 16 bits.
    appendRecord(text, '5', dataRecords, {});
    appendRecord(text, '9', 0, {});
    return text;
}
