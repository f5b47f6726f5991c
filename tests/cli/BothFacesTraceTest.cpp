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

constexpr std::uint32_t kBytes = 32;

class BothFaces : public testing::TestWithParam<FaceCase> {
protected:
    // The window's path: the crystal chosen, then connect, then the operation
    // on a range of kBytes from where the connect left the start.
    struct WindowPath {
        TargetRig rig;
        std::vector<std::string> exchange;
        std::uint64_t quietAtEnd = 0;

        WindowPath(const FaceCase& c, const std::function<void(TargetRig&)>& operation) : rig(c.model, c.boardMHz)
        {
            rig.fillEeprom(kBytes, [](std::uint32_t k) { return k * 3 + 5; });
            rig.window.crystal = c.item;
            selectCrystal(rig.session);
            const auto mark = rig.mark();
            connectTarget(rig.session);
            operation(rig);
            exchange = rig.exchange(mark);
            quietAtEnd = quietAtEndMs(rig.board->trace(), rig.clock.nowUs());
        }
    };

    std::vector<std::string> commonArguments(const FaceCase& c) const
    {
        return {"-p", "COM1", "-m", c.model, "--crystal", c.crystal};
    }
};

} // namespace

TEST_P(BothFaces, ConnectAndReadGoOnTheWireAsInTheWindow)
{
    const FaceCase c = GetParam();
    const WindowPath window(c, [](TargetRig& rig) {
        rig.buffer.count = kBytes;
        readEeprom(rig.session);
    });

    CliBench cli(c.model, c.boardMHz);
    for (std::uint32_t k = 0; k < kBytes; ++k)
        cli.board->eeprom()[k] = std::uint8_t(k * 3 + 5);
    TempFolder files;
    auto arguments = commonArguments(c);
    arguments.insert(arguments.end(), {"-n", std::to_string(kBytes), "read", "-o", files.path("read.bin")});
    const auto mark = cli.mark();
    const CliRun run = cli.run(arguments);

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(cli.exchange(mark), window.exchange) << cli.board->trace().dump();
    EXPECT_EQ(quietAtEndMs(cli.board->trace(), cli.clock.nowUs()), window.quietAtEnd);
    EXPECT_EQ(files.read("read.bin"), Bytes(cli.board->eeprom().begin(), cli.board->eeprom().begin() + kBytes));
    EXPECT_NE(run.err.find(window.rig.window.statusFields.at(STATUS_RESULT)), std::string::npos) << run.err;
}

TEST_P(BothFaces, ConnectAndWriteGoOnTheWireAsInTheWindow)
{
    const FaceCase c = GetParam();
    const Bytes image = patternBytes(kBytes);
    const WindowPath window(c, [&image](TargetRig& rig) {
        rig.fillBuffer(kBytes, [&image](std::uint32_t k) { return image[k]; });
        writeEeprom(rig.session);
    });

    CliBench cli(c.model, c.boardMHz);
    for (std::uint32_t k = 0; k < kBytes; ++k)
        cli.board->eeprom()[k] = std::uint8_t(k * 3 + 5);
    TempFolder files;
    auto arguments = commonArguments(c);
    arguments.insert(arguments.end(), {"write", files.write("image.bin", image)});
    const auto mark = cli.mark();
    const CliRun run = cli.run(arguments);

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(cli.exchange(mark), window.exchange) << cli.board->trace().dump();
    EXPECT_EQ(quietAtEndMs(cli.board->trace(), cli.clock.nowUs()), window.quietAtEnd);
    EXPECT_EQ(Bytes(cli.board->eeprom().begin(), cli.board->eeprom().begin() + kBytes), image);
    EXPECT_NE(run.err.find(window.rig.window.statusFields.at(STATUS_RESULT)), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Boards, BothFaces,
                         testing::Values(FaceCase{"HC12B", 4, "auto", "Auto"},
                                         FaceCase{"HC912Dx128x", 8, "8", "8MHz"},
                                         FaceCase{"HC912D60x", 16, "16MHz", "16MHz"},
                                         FaceCase{"MC9S12DT128", 16, "auto", "Auto"},
                                         FaceCase{"MC9S12DBx", 8, "8", "8MHz"},
                                         FaceCase{"MC9S12DT128", 4, "4", "4MHz"}),
                         caseName);
