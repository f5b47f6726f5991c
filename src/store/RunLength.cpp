#include "store/RunLength.h"

#include <algorithm>

namespace {

// A header below REPEAT_BASE is followed by header + 1 bytes as they are; a
// header from REPEAT_BASE on by one byte repeated (header - REPEAT_BASE +
// SHORTEST_RUN) times. Runs shorter than SHORTEST_RUN go into literals.
constexpr std::size_t REPEAT_BASE = 128;
constexpr std::size_t SHORTEST_RUN = 3;
constexpr std::size_t LONGEST_LITERAL = REPEAT_BASE;
constexpr std::size_t LONGEST_RUN = 255 - REPEAT_BASE + SHORTEST_RUN;

std::size_t runAt(const std::vector<std::uint8_t>& bytes, std::size_t i)
{
    const std::size_t end = std::min(bytes.size(), i + LONGEST_RUN);
    std::size_t k = i + 1;
    while (k < end && bytes[k] == bytes[i])
        ++k;
    return k - i;
}

} // namespace

std::vector<std::uint8_t> packRuns(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> packed;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t run = runAt(bytes, i);
        if (run >= SHORTEST_RUN) {
            packed.push_back(std::uint8_t(REPEAT_BASE + run - SHORTEST_RUN));
            packed.push_back(bytes[i]);
            i += run;
            continue;
        }
        const std::size_t start = i;
        while (i < bytes.size() && i - start < LONGEST_LITERAL && runAt(bytes, i) < SHORTEST_RUN)
            ++i;
        packed.push_back(std::uint8_t(i - start - 1));
        packed.insert(packed.end(), bytes.begin() + std::ptrdiff_t(start), bytes.begin() + std::ptrdiff_t(i));
    }
    packed.shrink_to_fit();
    return packed;
}

std::vector<std::uint8_t> unpackRuns(const std::vector<std::uint8_t>& packed, std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(count);
    std::size_t i = 0;
    while (i < packed.size() && bytes.size() < count) {
        const std::size_t header = packed[i++];
        if (header >= REPEAT_BASE) {
            if (i >= packed.size())
                break;
            bytes.insert(bytes.end(), header - REPEAT_BASE + SHORTEST_RUN, packed[i++]);
        } else {
            const std::size_t length = std::min(header + 1, packed.size() - i);
            bytes.insert(bytes.end(), packed.begin() + std::ptrdiff_t(i), packed.begin() + std::ptrdiff_t(i + length));
            i += length;
        }
    }
    bytes.resize(count, 0);
    return bytes;
}
