// Reading and writing S-records, one line per record.
#include "images/SRecord.h"

#include <span>
#include <vector>

#include "images/ImageAssembler.h"
#include "images/RecordText.h"

namespace {

enum class Role { Header, Data, Count, End, Unknown };

struct RecordKind {
    Role role;
    std::size_t addressBytes;
};

// S0 to S9 by the digit after the S. S4 has never been defined.
constexpr RecordKind KINDS[10] = {
    {Role::Header, 2}, {Role::Data, 2},  {Role::Data, 3}, {Role::Data, 4}, {Role::Unknown, 0},
    {Role::Count, 2},  {Role::Count, 3}, {Role::End, 4},  {Role::End, 3},  {Role::End, 2},
};

constexpr std::size_t MARK_AND_TYPE = 2;     // "S1"
constexpr std::size_t LONGEST_HEADER = 252; // 255 bytes after the length byte, less address and checksum
constexpr std::size_t S_RECORD_DATA_BYTES = 32;

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
    if (RecordError error = decodeHexPairs(line, MARK_AND_TYPE, bytes); error.problem != RecordProblem::None)
        return error;
    if (line.text.size() < MARK_AND_TYPE + 2)
        return checkLineLength(line, MARK_AND_TYPE + 2 * (1 + kind.addressBytes + 1));
    if (RecordError error = checkLineLength(line, MARK_AND_TYPE + 2 * (1 + std::size_t(bytes[0])));
        error.problem != RecordProblem::None)
        return error;
    const bool fixedLength = kind.role == Role::Count || kind.role == Role::End;
    if (bytes[0] < kind.addressBytes + 1 || (fixedLength && bytes[0] != kind.addressBytes + 1)) {
        RecordError error = lineError(RecordProblem::BadLength, line);
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
        if (line.text.size() < MARK_AND_TYPE || line.text[0] != 'S' || line.text[1] < '0' || line.text[1] > '9')
            return {{}, lineError(RecordProblem::NotARecord, line)};
        const auto type = std::uint8_t(line.text[1] - '0');
        const RecordKind& kind = KINDS[type];
        if (kind.role == Role::Unknown) {
            RecordError error = lineError(RecordProblem::UnknownType, line);
            error.recordType = type;
            return {{}, error};
        }
        if (RecordError error = checkRecord(line, kind, type, bytes); error.problem != RecordProblem::None)
            return {{}, error};

        const std::uint64_t address = bigEndian(std::span(bytes).subspan(1, kind.addressBytes));
        const auto data = std::span(bytes).subspan(1 + kind.addressBytes, bytes.size() - kind.addressBytes - 2);
        switch (kind.role) {
        case Role::Header:
            if (!headerSeen)
                header.assign(data.begin(), data.end());
            headerSeen = true;
            break;
        case Role::Data:
            if (RecordError error = assembler.place(address, data, line.number); error.problem != RecordProblem::None)
                return {{}, error};
            ++dataRecords;
            break;
        case Role::Count:
            if (address != dataRecords) {
                RecordError error = lineError(RecordProblem::CountMismatch, line);
                error.recordType = type;
                error.found = address;
                error.expected = dataRecords;
                return {{}, error};
            }
            break;
        case Role::End:
            endLine = line.number;
            break;
        case Role::Unknown:
            break;
        }
    }
    if (!assembler.holdsData())
        return {{}, RecordError{RecordProblem::NoData}};
    return {assembler.image(std::move(header)), {}};
}

std::string writeSRecords(const MemoryImage& image, std::string_view header)
{
    std::string text;
    header = header.substr(0, LONGEST_HEADER);
    appendRecord(text, '0', 0, std::span(reinterpret_cast<const std::uint8_t*>(header.data()), header.size()));
    std::uint32_t dataRecords = 0;
    forEachRecordPiece(image, S_RECORD_DATA_BYTES, [&](std::uint32_t address, std::span<const std::uint8_t> data) {
        appendRecord(text, '1', address, data);
        ++dataRecords;
    });
    // At most one record in two addresses (a gap between any two), so the count fits S5's 16 bits.
    appendRecord(text, '5', dataRecords, {});
    appendRecord(text, '9', 0, {});
    return text;
}
