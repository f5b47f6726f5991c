// What the record file tests share: an image as the bytes it gives at their
// addresses (gaps are simply absent), and images made of a few runs.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "images/MemoryImage.h"
#include "images/RecordRead.h"

using AddressBytes = std::map<std::uint32_t, std::uint8_t>;

inline AddressBytes givenBytes(const MemoryImage& image)
{
    AddressBytes given;
    for (std::size_t k = 0; k < image.size(); ++k)
        if (image.filled[k])
            given[image.startAddress + std::uint32_t(k)] = image.bytes[k];
    return given;
}

// The image from the lowest given address to the highest.
inline MemoryImage imageOf(const AddressBytes& given)
{
    MemoryImage image;
    if (given.empty())
        return image;
    image.startAddress = given.begin()->first;
    const std::size_t size = given.rbegin()->first - image.startAddress + 1;
    image.bytes.assign(size, 0);
    image.filled.assign(size, false);
    for (const auto& [address, value] : given) {
        image.bytes[address - image.startAddress] = value;
        image.filled[address - image.startAddress] = true;
    }
    return image;
}

struct DataRun {
    std::uint32_t address;
    std::vector<std::uint8_t> bytes;
};

// A few runs of random length and content between 0000 and FFFF, with gaps.
inline std::vector<DataRun> randomRuns(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<DataRun> runs;
    std::uint32_t address = random() % 0x300;
    while (true) {
        const std::uint32_t length = 1 + random() % 200;
        if (address + length > 0x10000)
            break;
        DataRun run{address, std::vector<std::uint8_t>(length)};
        for (auto& b : run.bytes)
            b = std::uint8_t(random());
        runs.push_back(run);
        address += length + 1 + random() % (random() % 4 == 0 ? 0x4000 : 40);
    }
    return runs;
}

inline AddressBytes bytesOf(const std::vector<DataRun>& runs)
{
    AddressBytes given;
    for (const DataRun& run : runs)
        for (std::size_t i = 0; i < run.bytes.size(); ++i)
            given[run.address + std::uint32_t(i)] = run.bytes[i];
    return given;
}

// An image read from a file starts at its lowest address rounded down to 16.
inline void expectPlaced(const RecordRead& read, const AddressBytes& expected)
{
    ASSERT_TRUE(read.ok()) << "problem " << int(read.error.problem) << " on line " << read.error.line;
    EXPECT_EQ(read.image.startAddress, expected.begin()->first & ~0xFu);
    EXPECT_EQ(read.image.startAddress + read.image.size() - 1, expected.rbegin()->first);
    EXPECT_TRUE(givenBytes(read.image) == expected);
}

// A file a reader must refuse, and what its problem must say.
struct RefusedFile {
    const char* name;
    const char* text;
    RecordProblem problem;
    std::size_t line;
    std::uint64_t found = 0;
    std::uint64_t expected = 0;
};

inline void expectRefused(const RecordRead& read, const RefusedFile& file)
{
    SCOPED_TRACE(file.name);
    EXPECT_EQ(read.error.problem, file.problem);
    EXPECT_EQ(read.error.line, file.line);
    EXPECT_EQ(read.error.found, file.found);
    EXPECT_EQ(read.error.expected, file.expected);
    EXPECT_TRUE(read.image.bytes.empty());
}
