// The command line's arguments: a command (ports, models, connect, read, write,
// verify, diff, help), its files, and options before or after it. Parsing only
// checks what can be checked without a port or a file; it never touches either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "procedures/ModelInfo.h"

enum class CliCommand { Help, Version, Ports, Models, Connect, Read, Write, Verify, Diff };

// What a write does when its failed cells reach 5 % or 10 % of the range.
enum class OnFailures { Ask, Stop, Continue };

struct CliOptions {
    CliCommand command = CliCommand::Help;
    std::optional<std::string> port;   // none: $ROVIDADA_PORT, else COM1
    std::optional<ModelInfo> model;    // a row of the model table, never the placeholder
    int crystalMHz = 0;                // 16, 8 or 4; 0: detected while connecting
    std::optional<std::uint16_t> start; // even
    std::optional<std::uint32_t> count; // 1 to 65536, within the address space from start
    std::optional<std::string> output;  // read: the image file, "-" for standard output
    std::vector<std::string> files;     // write and verify: one; diff: two ("-": standard input)
    OnFailures onFailures = OnFailures::Ask;
    bool json = false;
    bool quiet = false;
};

struct ParsedArguments {
    CliOptions options;
    std::string error; // one line; empty when the arguments are good
    bool ok() const { return error.empty(); }
};

// The arguments after the program's name.
ParsedArguments parseArguments(const std::vector<std::string>& arguments);

// "read", "write", ... as typed.
std::string commandName(CliCommand command);
