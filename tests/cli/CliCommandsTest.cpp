// The command line's commands on simulated boards, on the virtual clock: what
// they print, their exit status for every class of failure, bad input, the
// failure question, Ctrl+C between two words, and the JSON summary.
#include <sys/stat.h>

#include "CliTestSupport.h"
#include "cli/ProgressLine.h"
#include "images/MemoryImageFile.h"

namespace {

std::vector<std::string> withModel(const std::string& model, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"-m", model});
    return arguments;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(CliCommands, ConnectSaysWhatItFound)
{
    CliBench hc12("HC12B", 8);
    const CliRun found = hc12.run({"-p", "sim", "-m", "HC12B", "connect"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "port     sim (sim:board)\nmodel    HC12B\ncrystal  8 MHz, detected\nEEPROM   0D00, 768 bytes\n");

    CliBench mc9s12("MC9S12DT128", 16);
    const CliRun asked = mc9s12.run({"-m", "MC9S12DT128", "-c", "16", "connect"});
    EXPECT_EQ(asked.status, 0) << asked.err;
    EXPECT_TRUE(has(asked.out, "crystal  16 MHz, chosen\nEEPROM   2000, 2048 bytes\n")) << asked.out;
    EXPECT_EQ(asked.err, "Parametry: RAM: 8 KB  EEPROM: 2 KB  Początek: 0x2000\n");
}

TEST(CliCommands, EachClassOfFailureHasItsExitStatusAndTheWindowsText)
{
    struct FailureCase {
        const char* name;
        const char* model;
        SimFaults faults;
        const char* command;
        int status;
        std::string line;
    };
    SimFaults noGreeting, wrongGreeting, silentTarget, lostInRead, lockedEprom, busyEstat, neverProgrammed;
    noGreeting.greeting = "";
    wrongGreeting.greeting = "pawx";
    silentTarget.silentAfter = 4; // the greeting, then nothing
    lostInRead.silentAfter = 4 + 1 + 2 + 1 + 8; // connect (greeting, probe, detection's two), wake-up, two words
    lockedEprom.eprotAtReset = 0x00;
    busyEstat.estatNotReady = true;
    neverProgrammed.cellsThatNeverProgram = {3};
    const FailureCase table[] = {
        {"no greeting", "HC12B", noGreeting, "connect", 5, "Błąd: Nieudane połączenie z interfejsem"},
        {"wrong greeting", "HC12B", wrongGreeting, "connect", 5, "Błąd: Nieudane połączenie z interfejsem"},
        {"silent target", "HC12B", silentTarget, "connect", 6, "Błąd: Nieudane połączenie z procesorem"},
        {"lost in a read", "HC12B", lostInRead, "read", 6, "Błąd: Utracono połącznie z interfejsem! "},
        {"EEPROM protected", "MC9S12DT128", lockedEprom, "write", 7,
         "Błąd: Cały EEPROM jest zabespieczony przed zapisem!"},
        {"ESTAT busy", "MC9S12DT128", busyEstat, "write", 7, "Błąd: Błędy w rejestrze ESTAT!"},
        {"a cell fails", "HC12B", neverProgrammed, "write", 1, "Błąd: Nie udało się zapisać 1komórek"},
    };
    for (const FailureCase& c : table) {
        SCOPED_TRACE(c.name);
        CliBench bench(c.model, 16, c.faults);
        TempFolder files;
        std::vector<std::string> arguments = withModel(c.model, {"-c", "16", c.command});
        if (std::string(c.command) == "read")
            arguments.insert(arguments.end(), {"-o", files.path("out.bin")});
        if (std::string(c.command) == "write")
            arguments.push_back(files.write("in.bin", patternBytes(64))); // 64: no question at one failed cell
        const CliRun run = bench.run(arguments);
        EXPECT_EQ(run.status, c.status);
        const auto lines = run.errLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << run.err;
        EXPECT_FALSE(files.exists("out.bin")) << "a failed read leaves no file";
    }
}

TEST(CliCommands, APortThatCannotBeOpenedSaysWhyAndSendsNothing)
{
    CliBench bench("HC12B");
    bench.ports.fails = true;
    const CliRun run = bench.run({"-m", "HC12B", "connect"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "Błąd: Niewłaściwa nazwa portu lub port jest aktywny.\n/dev/ttyUSB7: port jest używany przez inny program\n");
    EXPECT_TRUE(bench.board->trace().entries().empty());
}

TEST(CliCommands, FailedCellsAreListedByAddressAndWrittenIntoTheSummary)
{
    SimFaults faults;
    faults.cellsThatNeverProgram = {2, 5};
    CliBench bench("HC12B", 16, faults);
    TempFolder files;
    const Bytes image = patternBytes(16);
    const std::vector<std::string> arguments =
        withModel("HC12B", {"-c", "16", "--on-failures", "continue", "write", files.write("in.bin", image)});
    std::vector<std::string> json = arguments;
    json.insert(json.begin(), "--json");
    const CliRun run = bench.run(json);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run.out, "\"failed_cells\": [{\"address\": \"0D02\", \"expected\": \"0F\"}, "
                             "{\"address\": \"0D05\", \"expected\": \"24\"}]"))
        << run.out;
    EXPECT_TRUE(has(run.out, "\"retries\": 8, ")) << "four re-programmings of each failing word";
    EXPECT_TRUE(has(run.out, "\"operation\": \"write\", \"port\": \"COM1\", \"device\": \"COM1\", \"model\": \"HC12B\", "
                             "\"crystal_mhz\": 16, \"start\": \"0D00\", \"count\": 16"))
        << run.out;
    EXPECT_TRUE(has(run.out, "\"exit_status\": 1, \"messages\": [\"Błąd: Nie udało się zapisać 1komórek\\nCzy kontynuować? [t/N] t\", "
                             "\"Zapisano  16  bajtów.\", \"Nieudanych zapisów:  2\", \"Błąd: Nie udało się zapisać 2komórek\"]}\n"))
        << run.out;

    const CliRun listed = CliBench("HC12B", 16, faults).run(arguments);
    EXPECT_EQ(listed.out, "0D02: 0F not written\n0D05: 24 not written\n");
}

TEST(CliCommands, VerifyListsEveryDifferingAddressWithBothValues)
{
    CliBench bench("HC912D60x");
    TempFolder files;
    const Bytes image = patternBytes(64);
    std::copy(image.begin(), image.end(), bench.board->eeprom().begin());
    bench.board->eeprom()[7] = 0xEE;
    bench.board->eeprom()[40] = 0x00;
    const CliRun run = bench.run(withModel("HC912D60x", {"-c", "16", "-s", "0C00", "verify", files.write("in.bin", image)}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0C07: file 32, EEPROM EE\n0C28: file 19, EEPROM 00\n");
    EXPECT_TRUE(has(run.err, "Razem:  2  różnice.\n")) << run.err;

    bench.board->eeprom()[7] = image[7];
    bench.board->eeprom()[40] = image[40];
    const CliRun same = bench.run(withModel("HC912D60x", {"-q", "verify", files.path("in.bin")}));
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out + same.err, "");
}

TEST(CliCommands, BadFilesAndOutputsFailBeforeThePortIsTouched)
{
    TempFolder files;
    files.write("empty.bin", {});
    files.write("large.bin", Bytes(770, 0x11)); // HC12B holds 768
    std::filesystem::create_directories(files.path("folder"));
    struct FileCase {
        std::vector<std::string> arguments;
        std::string line;
    };
    files.write("broken.s19", {'S', '1', '0', '5', '0', 'D', '0', '0', '1', '2', '0', '0', '\n'});
    const std::string cannot = ": Nie moge otworzyc pliku: ";
    const FileCase table[] = {
        {{"write", files.path("missing.bin")}, files.path("missing.bin") + cannot + "No such file or directory"},
        {{"write", files.path("folder")}, files.path("folder") + cannot + "Is a directory"},
        {{"verify", "/dev/null"}, "/dev/null" + cannot + "not a regular file"},
        {{"write", files.path("empty.bin")}, files.path("empty.bin") + ": the image is empty, there is nothing to write"},
        {{"write", files.path("broken.s19")},
         files.path("broken.s19") + ": Błąd w pliku S-record, nic nie wczytano: Wiersz 1: wiersz za krótki (ma "
                                    "długość 12, rekord wymaga 14)."},
        {{"read", "-o", files.path("nowhere/out.bin")}, files.path("nowhere/out.bin") + cannot + "No such file or directory"},
        {{"read", "-o", files.path("folder")}, files.path("folder") + cannot + "Is a directory"},
        {{"write", "-"}, "standard input is a terminal: name an image file, or pipe one in"},
    };
    for (const FileCase& c : table) {
        SCOPED_TRACE(c.line);
        CliBench bench("HC12B");
        bench.inIsTerminal = true;
        const CliRun run = bench.run(withModel("HC12B", c.arguments));
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.err, c.line + "\n");
        EXPECT_TRUE(bench.board->trace().entries().empty());
    }

    CliBench bench("HC12B");
    const CliRun large = bench.run(withModel("HC12B", {"-c", "16", "write", files.path("large.bin")}));
    EXPECT_EQ(large.status, 3);
    EXPECT_EQ(large.err, files.path("large.bin") + ": 770 bytes from 0D00 do not fit the EEPROM, 0D00 to 0FFF\n");
    const CliRun outside = bench.run(withModel("HC12B", {"-c", "16", "-s", "0C00", "write", files.write("a.bin", {1, 2})}));
    EXPECT_EQ(outside.status, 3);
    CliBench high("HC812A4");
    const CliRun pastTheEnd = high.run(withModel("HC812A4", {"-c", "16", "-n", "8192", "read", "-o", files.path("o")}));
    EXPECT_EQ(pastTheEnd.status, 2);
    EXPECT_EQ(pastTheEnd.err, "start F000 and count 8192 run past address FFFF\n");
}

namespace {

// One S1 record: its address, its bytes, and the checksum that makes it whole.
std::string sRecord(std::uint16_t address, const Bytes& bytes)
{
    std::vector<std::uint8_t> fields = {std::uint8_t(bytes.size() + 3), std::uint8_t(address >> 8),
                                        std::uint8_t(address)};
    fields.insert(fields.end(), bytes.begin(), bytes.end());
    unsigned sum = 0;
    std::string line = "S1";
    char digits[3];
    for (const std::uint8_t field : fields) {
        sum += field;
        std::snprintf(digits, sizeof digits, "%02X", unsigned(field));
        line += digits;
    }
    std::snprintf(digits, sizeof digits, "%02X", ~sum & 0xFFu);
    return line + digits + "\n";
}

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

} // namespace

TEST(CliCommands, RecordFilesNameTheirAddressesAndTheirGapsKeepTheEepromsBytes)
{
    CliBench bench("HC12B");
    const Bytes before = patternBytes(16, 5);
    std::copy(before.begin(), before.end(), bench.board->eeprom().begin());
    TempFolder files;
    const std::string records =
        files.write("board.s19", textBytes(sRecord(0x0D02, {0x11, 0x22}) + sRecord(0x0D08, {0x33, 0x44}) + "S9030000FC\n"));

    const CliRun write = bench.run(withModel("HC12B", {"-q", "write", records}));
    EXPECT_EQ(write.status, 0) << write.err;
    Bytes expected = before;
    expected[2] = 0x11, expected[3] = 0x22, expected[8] = 0x33, expected[9] = 0x44;
    EXPECT_EQ(Bytes(bench.board->eeprom().begin(), bench.board->eeprom().begin() + 16), expected);
    EXPECT_EQ(bench.run(withModel("HC12B", {"-q", "verify", records})).status, 0);
    EXPECT_EQ(bench.run(withModel("HC12B", {"-s", "0D10", "write", records})).status, 2);

    const CliRun read = bench.run(withModel("HC12B", {"-q", "-n", "16", "read", "-o", files.path("back.s19")}));
    EXPECT_EQ(read.status, 0) << read.err;
    const MemoryImageLoad back = loadMemoryImage(files.path("back.s19"));
    EXPECT_EQ(back.format, ImageFormat::SRecord);
    EXPECT_EQ(back.image.startAddress, 0x0D00u);
    EXPECT_EQ(back.image.bytes, expected);
}

TEST(CliCommands, ImagesComeFromStandardInputAndGoToStandardOutput)
{
    CliBench bench("HC12B");
    const Bytes image = patternBytes(6);
    const CliRun write = bench.run(withModel("HC12B", {"-q", "write", "-"}), std::string(image.begin(), image.end()));
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(Bytes(bench.board->eeprom().begin(), bench.board->eeprom().begin() + 6), image);

    const CliRun read = bench.run(withModel("HC12B", {"-q", "-n", "5", "read", "-o", "-"}));
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, std::string(image.begin(), image.begin() + 5)) << "an odd count is read as words, saved as asked";
}

TEST(CliCommands, TheFailureQuestionIsAnsweredByTheFlagOrOnTheTerminal)
{
    // 40 bytes: the question comes at 2 failed cells (count / 20), after the word at offset 2.
    SimFaults faults;
    faults.cellsThatNeverProgram = {0, 2};
    const std::string question = "Błąd: Nie udało się zapisać 2komórek\nCzy kontynuować?";
    const std::string prompt = question + " [t/N] ";
    struct AnswerCase {
        std::vector<std::string> flag;
        bool terminal;
        std::string input;
        std::string result;
        std::string said;
    };
    const AnswerCase table[] = {
        {{"--on-failures", "stop"}, true, "", "Zapisano  2  bajty.", prompt + "n\n"},
        {{"--on-failures", "continue"}, false, "", "Zapisano  40  bajtów.", prompt + "t\n"},
        {{}, true, "t\n", "Zapisano  40  bajtów.", prompt},
        {{}, true, "\n", "Zapisano  2  bajty.", prompt},
        {{}, false, "t\n", "Zapisano  2  bajty.", question + "\nno terminal to ask: stopping (--on-failures continue goes on)"},
    };
    for (const AnswerCase& c : table) {
        SCOPED_TRACE(c.said);
        CliBench bench("HC12B", 16, faults);
        bench.inIsTerminal = c.terminal;
        TempFolder files;
        std::vector<std::string> arguments = withModel("HC12B", c.flag);
        arguments.insert(arguments.end(), {"write", files.write("in.bin", patternBytes(40))});
        const CliRun run = bench.run(arguments, c.input);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(has(run.err, c.said)) << run.err;
        EXPECT_TRUE(has(run.err, c.result + "\n")) << run.err;
    }
}

TEST(CliCommands, CtrlCEndsAWriteBetweenTwoWordsAndSaysHowFarItGot)
{
    CliBench bench("HC12B");
    TempFolder files;
    const Bytes image = patternBytes(16);
    bench.stop = [&] { return bench.board->eeprom()[5] == image[5]; }; // once the third word is in
    const CliRun run = bench.run(withModel("HC12B", {"-c", "16", "write", files.write("in.bin", image)}));
    EXPECT_EQ(run.status, 130);
    EXPECT_EQ(run.errLines(), (std::vector<std::string>{"Zapisano  6  bajtów.",
                                                        "interrupted: stopped between two words, the port is released"}));
    const auto& eeprom = bench.board->eeprom();
    EXPECT_EQ(Bytes(eeprom.begin(), eeprom.begin() + 6), Bytes(image.begin(), image.begin() + 6));
    EXPECT_EQ(Bytes(eeprom.begin() + 6, eeprom.begin() + 16), Bytes(10, 0xFF));
    // The last word was verified, EEPROG is back at rest, and the line was flushed.
    const auto frames = bench.board->trace().frames();
    EXPECT_EQ(frames.back(), "L 0D 04");
    EXPECT_EQ(frames[frames.size() - 2], "z 00 F3 80");
    EXPECT_EQ(quietAtEndMs(bench.board->trace(), bench.clock.nowUs()), 31u); // the answer's two bytes, then 30 ms

    TempFolder outputs;
    bench.stop = [] { return true; };
    const CliRun read = bench.run(withModel("HC12B", {"-c", "16", "read", "-o", outputs.path("out.bin")}));
    EXPECT_EQ(read.status, 130);
    EXPECT_EQ(read.errLines(), std::vector<std::string>{"interrupted: stopped after connecting, before the read"});
    EXPECT_FALSE(outputs.exists("out.bin"));
}

TEST(CliCommands, UnstableReadingsAreReportedAndCountedAsRetries)
{
    SimFaults faults;
    faults.unstableAddresses = {0x0D03};
    CliBench bench("HC12B", 16, faults);
    TempFolder files;
    const CliRun run = bench.run(withModel("HC12B", {"-c", "16", "-n", "8", "--json", "read", "-o", files.path("o")}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run.err, "0D03: FF read unstable, its two readings differed\n")) << run.err;
    EXPECT_TRUE(has(run.out, "\"failed_cells\": [{\"address\": \"0D03\", \"found\": \"FF\"}], \"retries\": 2,")) << run.out;
    EXPECT_TRUE(has(run.out, "\"crc32\": ")) << run.out;
}

TEST(CliCommands, ProgressIsDrawnOnATerminalOnly)
{
    CliBench bench("HC912D60x");
    TempFolder files;
    bench.errIsTerminal = true;
    const CliRun shown = bench.run(withModel("HC912D60x", {"-c", "16", "-n", "1024", "read", "-o", files.path("o")}));
    EXPECT_TRUE(has(shown.err, "\r1024/1024 bytes  ")) << shown.err;
    EXPECT_TRUE(has(shown.err, "\r\x1b[KPrzeczytano  1024  bajtów.\n")) << "the line goes before the result";

    bench.errIsTerminal = false;
    const CliRun piped = bench.run(withModel("HC912D60x", {"-c", "16", "-n", "1024", "read", "-o", files.path("o")}));
    EXPECT_FALSE(has(piped.err, "\r"));

    // Half done in 1.022 s after the first word: 1000 bytes a second, 1 s left.
    EXPECT_EQ(ProgressLine::text(1024, 2048, 0, 2, 1'022'000), "1024/2048 bytes  1000 B/s  0:01 left");
    EXPECT_EQ(ProgressLine::text(2, 2048, 0, 2, 0), "2/2048 bytes  0 B/s  ?:?? left");
}

TEST(CliCommands, DiffComparesLikeTheWindowAndListsBothValues)
{
    TempFolder files;
    const Bytes a = patternBytes(20);
    Bytes b = a;
    b[3] ^= 0x40;
    b.push_back(0x99); // one more byte: "--" in the first image
    CliBench bench("HC12B");
    const CliRun run = bench.run({"diff", files.write("a.bin", a), files.write("b.bin", b)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "000003: 16 56\n000014: -- 99\n");
    EXPECT_EQ(run.errLines(), (std::vector<std::string>{"Razem:  2  różnice.", "sizes differ: " + files.path("a.bin") +
                                                                                   " has 20 bytes, " + files.path("b.bin") +
                                                                                   " 21"}));
    const CliRun same = bench.run({"diff", files.path("a.bin"), files.path("a.bin")});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.err, "Bufory są identyczne!\n");
}

TEST(CliCommands, PortsShowWhatEachComNumberOpensAndTheStableNamesOfItsDevice)
{
    TempFolder machine;
    std::filesystem::create_directories(machine.path("by-id"));
    const std::string adapter = machine.write("ttyUSB0", {});
    std::filesystem::create_symlink(adapter, machine.path("by-id/usb-FTDI_FT232R_A1-if00-port0"));
    CliBench bench("HC12B");
    bench.serialDevices = {"ttyS0", "ttyUSB0", "ttyUSB1"};
    bench.environment = {{"ROVIDADA_COM2", "sim:HC12B@8MHz"}};
    bench.deviceAliasFolder = machine.path("by-id");
    bench.environment["ROVIDADA_COM1"] = adapter; // a stand-in device with a by-id name

    const CliRun run = bench.run({"ports"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "COM1   " + adapter + "  (ROVIDADA_COM1)  " + machine.path("by-id/usb-FTDI_FT232R_A1-if00-port0") +
                           "\n"
                           "COM2   sim:HC12B@8MHz  (ROVIDADA_COM2)\n"
                           "COM3   /dev/ttyS0" + std::string(std::filesystem::exists("/dev/ttyS0") ? "" : "  (no such device)") +
                           "\n"
                           "COM4   /dev/ttyS3" + std::string(std::filesystem::exists("/dev/ttyS3") ? "" : "  (no such device)") +
                           "\n"
                           "-      /dev/ttyUSB0\n" // no COMn reaches these two
                           "-      /dev/ttyUSB1\n");
}

TEST(CliCommands, HelpExplainsEveryCommandAndExitStatus)
{
    CliBench bench("HC12B");
    const CliRun help = bench.run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* part : {"  ports ", "  models ", "  connect ", "  read -o FILE ", "  write FILE ", "  verify FILE ",
                             "  diff A B ", "--on-failures", "--json", "  130  interrupted"})
        EXPECT_TRUE(has(help.out, part)) << part;
    const CliRun wrong = bench.run({"flash"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err, "rovidada-de12-cli: unknown command 'flash' (see rovidada-de12-cli --help)\n");
}
