// Splitting record files into lines and turning digit pairs into bytes.
#include "images/RecordText.h"

#include "store/HexDigits.h"

namespace {

// Line ends, blanks and the end-of-file mark (Ctrl+Z) of old DOS tools.
constexpr std::string_view BLANKS_AT_THE_END = " \t\r\n\x1A";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

RecordLines::RecordLines(std::string_view content)
{
    const std::size_t last = content.find_last_not_of(BLANKS_AT_THE_END);
    rest_ = content.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

bool RecordLines::next(RecordLine& line)
{
    while (!rest_.empty()) {
        ++number_;
        const std::size_t end = rest_.find_first_of("\r\n");
        const std::string_view text = trimmed(rest_.substr(0, end));
        const bool crLf = end != std::string_view::npos && rest_.substr(end, 2) == "\r\n";
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + (crLf ? 2 : 1));
        if (!text.empty()) {
            line = {number_, text};
            return true;
        }
    }
    return false;
}

RecordError decodeHexPairs(const RecordLine& line, std::size_t firstColumn, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    const std::string_view digits = line.text.substr(firstColumn);
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int value = hexDigitValue(static_cast<unsigned char>(digits[i]));
        if (value < 0) {
            RecordError error = lineError(RecordProblem::NotHexDigit, line);
            error.column = firstColumn + i + 1;
            error.character = digits[i];
            return error;
        }
        if (i % 2 == 0)
            bytes.push_back(std::uint8_t(value << 4));
        else
            bytes.back() = std::uint8_t(bytes.back() | value);
    }
    return {};
}

RecordError lineError(RecordProblem problem, const RecordLine& line) { return RecordError{problem, line.number}; }

RecordError recordAfterEnd(const RecordLine& line, std::size_t endLine)
{
    RecordError error = lineError(RecordProblem::AfterEnd, line);
    error.otherLine = endLine;
    return error;
}

RecordError checkLineLength(const RecordLine& line, std::size_t expected)
{
    if (line.text.size() == expected)
        return {};
    RecordError error =
        lineError(line.text.size() < expected ? RecordProblem::LineTooShort : RecordProblem::LineTooLong, line);
    error.found = line.text.size();
    error.expected = expected;
    return error;
}

RecordError checkChecksum(const RecordLine& line, std::uint8_t onLine, std::uint8_t computed)
{
    if (onLine == computed)
        return {};
    RecordError error = lineError(RecordProblem::BadChecksum, line);
    error.found = onLine;
    error.expected = computed;
    return error;
}

unsigned byteSum(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return sum;
}

void appendHexBytes(std::string& text, std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes) {
        text += HEX_DIGITS[b >> 4];
        text += HEX_DIGITS[b & 0xF];
    }
}
