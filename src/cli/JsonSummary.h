// The --json summary: one object on standard output at the end of a command,
// for scripts that serve many boards and keep logs.
//
//   {"operation": "write", "port": "COM1", "device": "/dev/ttyUSB0",
//    "model": "HC12B", "crystal_mhz": 16, "start": "0D00", "count": 768,
//    "files": ["board.bin"], "failed_cells": [{"address": "0D02", "expected": "12"}],
//    "retries": 4, "seconds": 57.912, "crc32": "1A2B3C4D", "exit_status": 1,
//    "messages": ["Zapisano  768  bajtów.", ...]}
//
// Fields that do not apply to the command (no port for diff, no CRC-32 for
// connect) are null. Failed cells are the write's cells that did not take,
// the verify's and the diff's differing bytes ("expected" from the file or
// the first image, "found" in the EEPROM or the second image), the read's
// unstable bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CellReport {
    std::uint32_t address; // a target address, or an offset for diff
    std::optional<std::uint8_t> expected;
    std::optional<std::uint8_t> found;
};

struct RunSummary {
    std::string operation;
    std::optional<std::string> port;
    std::optional<std::string> device;
    std::optional<std::string> model;
    std::optional<int> crystalMHz;
    std::optional<std::uint32_t> start;
    std::optional<std::uint32_t> count;
    std::vector<std::string> files;
    std::vector<CellReport> failedCells;
    std::uint32_t retries = 0;
    double seconds = 0;
    std::optional<std::uint32_t> crc32;
    int exitStatus = 0;
    std::vector<std::string> messages;
};

// The summary as one line of JSON (UTF-8; control characters escaped).
std::string toJson(const RunSummary& summary);
