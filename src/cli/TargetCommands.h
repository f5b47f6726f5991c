// The commands that talk to a board: connect, read, write and verify. Each
// opens its port, connects as the window does (reset, greeting, crystal,
// MC9S12 parameters), runs the engine's procedure, reports, and releases the
// port. Files are read, and outputs checked, before the port is touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/CliServices.h"
#include "cli/ExitStatus.h"
#include "cli/ImageBuffer.h"
#include "cli/JsonSummary.h"
#include "cli/ProgressLine.h"
#include "cli/TerminalFace.h"
#include "procedures/TargetSession.h"
#include "serial/SerialLink.h"

// One command on one board: the port, the link, the face, the buffer and the
// session the procedures work on, and the summary it ends with.
class TargetRun {
public:
    TargetRun(const CliOptions& options, CliServices& services, CliConsole& console);

    // The command, from its checks to its report (not the summary).
    ExitStatus run();
    // Its steps, for the benchmark, which times the operation alone.
    ExitStatus connect();
    ExitStatus read();
    ExitStatus write(const std::vector<std::uint8_t>& image);
    ExitStatus verify(const std::vector<std::uint8_t>& image);
    // The JSON summary (with --json) and the port released.
    void finish(ExitStatus status);

private:
    ExitStatus reportConnection();

    // The image of write and verify, before the port is touched; none after a failure said.
    std::optional<std::vector<std::uint8_t>> loadImage();
    // Where an image of write or verify starts (-s, else the EEPROM's start),
    // once it fits the EEPROM the connect found; none after saying why not.
    std::optional<std::uint16_t> imageStart(std::size_t size);
    // After a read: the failure it showed, the user's stop, or Ok.
    ExitStatus afterRead();
    void result(const std::string& line)
    {
        if (!options_.json)
            console_.out << line << '\n';
    }
    void say(const std::string& line, bool info = false) { face_.messages().say(line, info); }

    const CliOptions& options_;
    CliServices& services_;
    CliConsole& console_;
    ProgressLine progress_;
    ImageBuffer buffer_;
    TerminalFace face_;
    SerialLink link_;
    ModelInfo model_;
    bool mc9s12Mode_ = false;
    int crystalMHz_ = 16;
    TargetSession session_;
    std::uint64_t beganUs_;
    std::string port_;
    // The EEPROM as the connect found it: the model's, or as an MC9S12 reported it.
    std::uint16_t eepromStart_ = 0;
    std::uint32_t eepromSize_ = 0;
    RunSummary summary_;
};

// A TargetRun from start to finish.
ExitStatus runTargetCommand(const CliOptions& options, CliServices& services, CliConsole& console);
