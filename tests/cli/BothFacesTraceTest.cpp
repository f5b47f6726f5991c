// One engine, two faces: a connect with a read, and a connect with a write,
// through the command line and through the procedures' test fakes (which stand
// for the window) go on the wire byte for byte and pause for pause the same,
// on both families and all three crystals, chosen or detected.
#include "CliTestSupport.h"
#include "TargetFakes.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"

namespace {

struct FaceCase {
    const char* model;
    int boardMHz;
    const char* crystal; // as --crystal takes it
    const char* item;    // the window's crystal combo box item
};

void PrintTo(const FaceCase& c, std::ostream* os) { *os << c.model << " at " << c.boardMHz << " MHz, " << c.crystal; }

std::string caseName(const testing::TestParamInfo<FaceCase>& info)
{
    std::string name = std::string(info.param.model) + "_" + std::to_string(info.param.boardMHz) + "MHz_" +
                       info.param.crystal;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '_'; });
    return name;
}

constexpr std::uint32_t BYTES = 32;

class BothFaces : public testing::TestWithParam<FaceCase> {
protected:
    // The window's path: the crystal chosen, then connect, then the operation
    // on a range of BYTES from where the connect left the start.
    struct WindowPath {
        TargetRig rig;
        std::vector<std::string> exchange;
        std::uint64_t quietAtEnd = 0;

        WindowPath(const FaceCase& c, const std::function<void(TargetRig&)>& operation) : rig(c.model, c.boardMHz)
        {
            rig.fillEeprom(BYTES, [](std::uint32_t k) { return k * 3 + 5; }); // as the CliPath's board
            rig.window.crystal = c.item;
            selectCrystal(rig.session);
            const auto mark = rig.mark();
            connectTarget(rig.session);
            operation(rig);
            exchange = rig.exchange(mark);
            quietAtEnd = quietAtEndMs(rig.board->trace(), rig.clock.nowUs());
        }
    };

    // The command line's command on a board like the window path's.
    struct CliPath {
        CliBench bench;
        CliRun run;
        std::vector<std::string> exchange;
        std::uint64_t quietAtEnd = 0;

        CliPath(const FaceCase& c, const std::vector<std::string>& command) : bench(c.model, c.boardMHz)
        {
            for (std::uint32_t k = 0; k < BYTES; ++k)
                bench.board->eeprom()[k] = std::uint8_t(k * 3 + 5);
            std::vector<std::string> arguments = {"-p", "COM1", "-m", c.model, "--crystal", c.crystal};
            arguments.insert(arguments.end(), command.begin(), command.end());
            const auto mark = bench.mark();
            run = bench.run(arguments);
            exchange = bench.exchange(mark);
            quietAtEnd = quietAtEndMs(bench.board->trace(), bench.clock.nowUs());
        }
    };

    static void expectSameWire(const CliPath& cli, const WindowPath& window)
    {
        ASSERT_EQ(cli.run.status, 0) << cli.run.err;
        EXPECT_EQ(cli.exchange, window.exchange) << cli.bench.board->trace().dump();
        EXPECT_EQ(cli.quietAtEnd, window.quietAtEnd);
        EXPECT_NE(cli.run.err.find(window.rig.window.statusFields.at(STATUS_RESULT)), std::string::npos) << cli.run.err;
    }
};

} // namespace

TEST_P(BothFaces, ConnectAndReadGoOnTheWireAsInTheWindow)
{
    const FaceCase c = GetParam();
    const WindowPath window(c, [](TargetRig& rig) {
        rig.buffer.count = BYTES;
        readEeprom(rig.session);
    });
    TempFolder files;
    const CliPath cli(c, {"-n", std::to_string(BYTES), "read", "-o", files.path("read.bin")});
    expectSameWire(cli, window);
    EXPECT_EQ(files.read("read.bin"), Bytes(cli.bench.board->eeprom().begin(), cli.bench.board->eeprom().begin() + BYTES));
}

TEST_P(BothFaces, ConnectAndWriteGoOnTheWireAsInTheWindow)
{
    const FaceCase c = GetParam();
    const Bytes image = patternBytes(BYTES);
    const WindowPath window(c, [&image](TargetRig& rig) {
        rig.fillBuffer(BYTES, [&image](std::uint32_t k) { return image[k]; });
        writeEeprom(rig.session);
    });
    TempFolder files;
    const CliPath cli(c, {"write", files.write("image.bin", image)});
    expectSameWire(cli, window);
    EXPECT_EQ(Bytes(cli.bench.board->eeprom().begin(), cli.bench.board->eeprom().begin() + BYTES), image);
}

INSTANTIATE_TEST_SUITE_P(Boards, BothFaces,
                         testing::Values(FaceCase{"HC12B", 4, "auto", "Auto"},
                                         FaceCase{"HC912Dx128x", 8, "8", "8MHz"},
                                         FaceCase{"HC912D60x", 16, "16MHz", "16MHz"},
                                         FaceCase{"MC9S12DT128", 16, "auto", "Auto"},
                                         FaceCase{"MC9S12DBx", 8, "8", "8MHz"},
                                         FaceCase{"MC9S12DT128", 4, "4", "4MHz"}),
                         caseName);
