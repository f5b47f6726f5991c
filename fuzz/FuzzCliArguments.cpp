// The command line's argument parser on any arguments (the input split at NUL
// bytes): it never throws or crashes, and what it accepts holds together: an
// error is one line; an accepted range is even and inside the address space; a
// command that talks to a board has a real model; read has an output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "procedures/ModelTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += char(data[i]);
    }

    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.ok()) {
        if (parsed.error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    const CliOptions& o = parsed.options;
    if (o.start && *o.start % 2 != 0)
        std::abort();
    if (o.count && (*o.count == 0 || std::uint32_t(o.start.value_or(0)) + *o.count > 0x10000))
        std::abort();
    const bool onBoard = o.command == CliCommand::Connect || o.command == CliCommand::Read ||
                         o.command == CliCommand::Write || o.command == CliCommand::Verify;
    if (onBoard && (!o.model || isPlaceholderModel(*o.model)))
        std::abort();
    if (o.command == CliCommand::Read && !o.output)
        std::abort();
    if (o.crystalMHz != 0 && o.crystalMHz != 4 && o.crystalMHz != 8 && o.crystalMHz != 16)
        std::abort();
    return 0;
}
