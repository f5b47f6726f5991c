// A memory image as the S-record and Intel HEX files describe it: bytes at
// target addresses, with gaps where the file gives no byte, and the free text
// an S-record file carries in its header. The window shows a gap as an empty
// cell, which the write procedure leaves at the target's own value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The highest address the program's 16-bit address space holds.
inline constexpr std::uint32_t MAX_IMAGE_ADDRESS = 0xFFFF;

struct MemoryImage {
    std::uint32_t startAddress = 0;  // the target address of bytes[0]
    std::vector<std::uint8_t> bytes; // bytes[k] belongs at startAddress + k; 0 in a gap
    std::vector<bool> filled;        // as long as bytes; false where the image has a gap
    std::string header;              // an S-record file's S0 text; empty when the file had none

    std::size_t size() const { return bytes.size(); }
    std::size_t filledCount() const;
    // The addresses of the first and the last given byte; none in an image of gaps only.
    std::optional<std::uint64_t> firstFilledAddress() const;
    std::optional<std::uint64_t> lastFilledAddress() const;
};

// Every byte given: what a raw file or a read of the target holds.
MemoryImage wholeImage(std::uint32_t startAddress, std::vector<std::uint8_t> bytes);

// Calls `piece` for the image's given bytes, run by run, each run cut so that
// no piece holds more than `maxBytes` nor crosses an address that is a
// multiple of `maxBytes`: the records of a file then start on round addresses,
// as a reader of the file expects.
using RecordPiece = std::function<void(std::uint32_t address, std::span<const std::uint8_t> bytes)>;
void forEachRecordPiece(const MemoryImage& image, std::size_t maxBytes, const RecordPiece& piece);
