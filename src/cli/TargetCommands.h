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
#include "images/MemoryImage.h"
#include "procedures/TargetSession.h"
#include "serial/SerialLink.h"

// One command on one board: the port, the link, the face, the buffer and the
// session the procedures work on, and the summary it ends with.
class TargetRun {
public:
    TargetRun(const CliOptions& options, CliServices& services, CliConsole& console);

    // The command, from its checks to its report (not the summary).
    ExitStatus run();
    // Its steps, for the benchmark, which times the operation alone. A raw
    // image given to write or verify goes where -s says, else to the EEPROM's start.
    ExitStatus connect();
    ExitStatus read();
    ExitStatus write(MemoryImage image);
    ExitStatus verify(MemoryImage image);
    // The JSON summary (with --json) and the port released.
    void finish(ExitStatus status);

private:
    ExitStatus reportConnection();
    // The image of write and verify, before the port is touched.
    ExitStatus loadImage(MemoryImage& image);
    // Puts a raw image without -s at the start of the EEPROM the connect
    // found, and checks that the image lies inside it; false after saying why not.
    bool placeImage(MemoryImage& image);
    // After a read: the failure it showed, the user's stop, or Ok.
    ExitStatus afterRead();
    // The cells whose two readings differed, as warnings (and, for read, in the summary).
    void reportUnstableCells(const MemoryImage& found);
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
    bool startGiven_ = false; // the image's start is its own (records) or -s's
    RunSummary summary_;
};

// A TargetRun from start to finish.
ExitStatus runTargetCommand(const CliOptions& options, CliServices& services, CliConsole& console);
