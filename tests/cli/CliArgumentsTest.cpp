// The command line's arguments: what each command takes, and one clear line for
// everything it does not.
#include <gtest/gtest.h>

#include "cli/CliArguments.h"

namespace {

using Arguments = std::vector<std::string>;

} // namespace

TEST(CliArguments, OptionsGoBeforeOrAfterTheCommandInEveryUsualSpelling)
{
    const Arguments spellings[] = {
        {"-p", "COM2", "-m", "HC12B", "-s", "0D10", "-n", "64", "read", "-o", "out.bin"},
        {"read", "--port=COM2", "--model", "hc12b", "--start=0x0d10", "--count", "64", "--output=out.bin"},
        {"-pCOM2", "-mHC12B", "read", "-s0D10", "-n64", "-oout.bin"},
    };
    for (const Arguments& arguments : spellings) {
        const ParsedArguments parsed = parseArguments(arguments);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        const CliOptions& o = parsed.options;
        EXPECT_EQ(o.command, CliCommand::Read);
        EXPECT_EQ(o.port, "COM2");
        EXPECT_EQ(o.model->name, "HC12B");
        EXPECT_EQ(o.start, 0x0D10);
        EXPECT_EQ(o.count, 64u);
        EXPECT_EQ(o.output, "out.bin");
        EXPECT_EQ(o.crystalMHz, 0);
    }

    const ParsedArguments write =
        parseArguments({"-qm", "MC9S12DT128", "-c", "8MHz", "--on-failures", "continue", "--json", "write", "--", "-"});
    ASSERT_TRUE(write.ok()) << write.error;
    EXPECT_EQ(write.options.files, Arguments{"-"});
    EXPECT_EQ(write.options.crystalMHz, 8);
    EXPECT_EQ(write.options.onFailures, OnFailures::Continue);
    EXPECT_TRUE(write.options.quiet && write.options.json);
    EXPECT_FALSE(write.options.port); // the environment's, or COM1

    EXPECT_EQ(parseArguments({"diff", "a.bin", "b.bin"}).options.files, (Arguments{"a.bin", "b.bin"}));
    EXPECT_EQ(parseArguments({"write", "--bogus", "--help"}).error, "unknown option '--bogus'");
    EXPECT_EQ(parseArguments({"read", "-V"}).options.command, CliCommand::Version);
    EXPECT_EQ(parseArguments({"models", "-h"}).options.command, CliCommand::Help);
}

TEST(CliArguments, BadInputGetsOneLineThatSaysWhat)
{
    const std::string models = "HC12B, HC812A4, HC912Dx128x, HC912D60x, HC(9)12D60, MC9S12DBx, MC9S12DT128";
    const std::pair<Arguments, std::string> table[] = {
        {{}, "no command given"},
        {{"flash"}, "unknown command 'flash'"},
        {{"fl\nash\x1b[2J"}, "unknown command 'fl\\x0Aash\\x1B[2J'"},
        {{"-x", "models"}, "unknown option '-x'"},
        {{"models", "--verbose"}, "unknown option '--verbose'"},
        {{"read", "-m", "HC12B", "-o"}, "option '-o' needs a value"},
        {{"models", "--json=yes"}, "option '--json' takes no value"},
        {{"models", "-p", "COM1"}, "option '-p' does not apply to 'models'"},
        {{"write", "-m", "HC12B", "-n", "4", "x.bin"}, "option '-n' does not apply to 'write'"},
        {{"connect", "-m", "Model"}, "unknown model 'Model' (models: " + models + ")"},
        {{"connect"}, "'connect' needs the model: -m MODEL (models: " + models + ")"},
        {{"read", "-m", "HC12B", "-o", "x", "-s", "0D0G"}, "start '0D0G' is not a hexadecimal address from 0000 to FFFF"},
        {{"read", "-m", "HC12B", "-o", "x", "-s", "10000"}, "start '10000' is not a hexadecimal address from 0000 to FFFF"},
        {{"read", "-m", "HC12B", "-o", "x", "-s", ""}, "start '' is not a hexadecimal address from 0000 to FFFF"},
        {{"read", "-m", "HC12B", "-o", "x", "-s", "0D01"},
         "start 0D01 is odd: the EEPROM is read and written a word (two bytes) at a time"},
        {{"read", "-m", "HC12B", "-o", "x", "-n", "0"}, "count '0' is not a number from 1 to 65536"},
        {{"read", "-m", "HC12B", "-o", "x", "-n", "-5"}, "count '-5' is not a number from 1 to 65536"},
        {{"read", "-m", "HC12B", "-o", "x", "-n", "99999999999999999999"},
         "count '99999999999999999999' is not a number from 1 to 65536"},
        {{"read", "-m", "HC12B", "-o", "x", "-s", "F000", "-n", "4097"}, "start F000 and count 4097 run past address FFFF"},
        {{"connect", "-m", "HC12B", "-c", "12"}, "crystal '12' is not 16, 8, 4 or auto"},
        {{"write", "-m", "HC12B", "--on-failures", "maybe", "x"}, "--on-failures 'maybe' is not ask, stop or continue"},
        {{"write", "-m", "HC12B"}, "'write' takes one image file, not 0"},
        {{"diff", "a"}, "'diff' takes two image files, not 1"},
        {{"models", "extra"}, "'models' takes no file, not 1"},
        {{"read", "-m", "HC12B"}, "'read' needs the output: -o FILE (\"-\" for standard output)"},
        {{"read", "-m", "HC12B", "-o", "-", "--json"}, "--json and -o - cannot share standard output"},
    };
    for (const auto& [arguments, error] : table) {
        std::string joined;
        for (const auto& argument : arguments)
            joined += argument + " ";
        SCOPED_TRACE(joined);
        EXPECT_EQ(parseArguments(arguments).error, error);
    }
}
