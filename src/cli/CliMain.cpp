#include "cli/CliMain.h"

#include <ostream>

#include "cli/CliArguments.h"
#include "cli/DiffCommand.h"
#include "cli/ExitStatus.h"
#include "cli/ListCommands.h"
#include "cli/TargetCommands.h"
#include "texts/Texts.h"

namespace {

ExitStatus runCommand(const CliOptions& options, CliServices& services, CliConsole& console)
{
    switch (options.command) {
    case CliCommand::Help:
        console.out << toStdString(texts::CLI_HELP);
        return ExitStatus::Ok;
    case CliCommand::Version:
        console.out << toStdString(texts::CLI_VERSION) << '\n';
        return ExitStatus::Ok;
    case CliCommand::Ports:
        return listPorts(services, console);
    case CliCommand::Models:
        return listModels(console);
    case CliCommand::Diff:
        return diffImages(options, services, console);
    case CliCommand::Connect:
    case CliCommand::Read:
    case CliCommand::Write:
    case CliCommand::Verify:
        break;
    }
    return runTargetCommand(options, services, console);
}

} // namespace

int runCli(const std::vector<std::string>& arguments, CliServices& services, CliConsole& console)
{
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.ok()) {
        console.err << toStdString(texts::CLI_PROGRAM) << ": " << parsed.error << toStdString(texts::CLI_SEE_HELP)
                    << '\n';
        return int(ExitStatus::Usage);
    }
    const ExitStatus status = runCommand(parsed.options, services, console);
    console.out.flush();
    return int(status);
}
