// The window's repaint turns during the operations on the target: connect,
// read and write on each family, on the virtual clock, where the turns fall
// where the program's would. No stretch of an operation may leave the window
// without a turn for long; the bound is generous, so that only a stretch
// that stopped yielding (a long pause not cut into slices, a loop of sends
// without a wait) fails it.
#include <algorithm>
#include <cstdint>
#include <vector>

#include <wx/bmpbuttn.h>

#include "TargetSupport.h"
#include "app/OperationTurns.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

constexpr std::uint64_t LONGEST_ALLOWED_US = 300'000;

// The longest time, on the clock, that one operation leaves the window
// without a turn: from its start to the first, between turns, and from the
// last to its end.
class TurnWatch {
public:
    explicit TurnWatch(MainFrame& frame) : frame_(frame)
    {
        frame_.turns().watcher = [this](std::uint64_t nowUs) { note(nowUs); };
    }
    ~TurnWatch() { frame_.turns().watcher = nullptr; }

    template <typename Operation> std::uint64_t longestGapUs(Operation operation)
    {
        longestUs_ = 0;
        lastUs_ = TestApp::clock().nowUs();
        operation();
        note(TestApp::clock().nowUs());
        return longestUs_;
    }

private:
    void note(std::uint64_t nowUs)
    {
        longestUs_ = std::max(longestUs_, nowUs - lastUs_);
        lastUs_ = nowUs;
    }

    MainFrame& frame_;
    std::uint64_t lastUs_ = 0;
    std::uint64_t longestUs_ = 0;
};

struct Family {
    const char* model;
    bool asksParameters; // the connect's "Parametry" box
};

class WindowTurns : public ::testing::TestWithParam<Family> {};

} // namespace

TEST_P(WindowTurns, ConnectReadAndWriteNeverLeaveTheWindowWithoutATurnForLong)
{
    const Family family = GetParam();
    MainFrame& frame = TestApp::freshFrame();
    auto board = wireBoard("COM1", family.model, 16);
    chooseModel(frame, family.model);
    chooseCrystal(frame, "16MHz");
    TurnWatch turns(frame);

    const std::uint64_t connect = turns.longestGapUs([&] {
        ScriptedBoxes boxes;
        if (family.asksParameters)
            boxes.expect(wxID_OK);
        clickButton(frame.connectButton);
    });
    ASSERT_EQ(statusText(frame, 3), "Połączony.");
    EXPECT_LE(connect, LONGEST_ALLOWED_US) << "connect";

    frame.countField->SetValue("2048");
    const std::uint64_t read = turns.longestGapUs([&] {
        ScriptedBoxes noBoxes;
        clickButton(frame.readButton);
    });
    EXPECT_EQ(frame.countField->GetValue(), "2048");
    EXPECT_LE(read, LONGEST_ALLOWED_US) << "read";

    frame.countField->SetValue("256");
    const std::vector<std::uint8_t> bytes = randomBytes(256, 16);
    for (std::size_t k = 0; k < bytes.size(); ++k)
        shownGrid(frame).setByte(k, bytes[k]);
    const std::uint64_t write = turns.longestGapUs([&] {
        ScriptedBoxes noBoxes;
        clickButton(frame.writeButton);
    });
    EXPECT_EQ(eepromBytes(*board, 256), bytes);
    EXPECT_LE(write, LONGEST_ALLOWED_US) << "write";

    std::printf("longest without a turn (ms): connect %.1f, read %.1f, write %.1f\n", connect / 1000.0,
                read / 1000.0, write / 1000.0);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, WindowTurns,
                         ::testing::Values(Family{"HC912Dx128x", false}, Family{"MC9S12DT128", true}),
                         [](const auto& info) { return std::string(info.param.asksParameters ? "MC9S12" : "HC12"); });

// A grid of millions of bytes is built in steps with a turn between them, and
// comes out as one built at once: every row, every cell empty.
TEST(WindowTurns, ALargeGridIsBuiltInStepsWithTurnsBetweenAndComesOutWhole)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    int turns = 0;
    book.betweenSteps = [&turns] { ++turns; };
    const std::uint32_t bytes = 3u * BufferBook::ROWS_PER_STEP * 16u + 5u;
    BufferGrid* grid = book.createGrid(bytes);
    book.betweenSteps = nullptr;

    EXPECT_EQ(turns, 3);
    EXPECT_EQ(grid->GetNumberRows(), 3 * BufferBook::ROWS_PER_STEP + 1);
    EXPECT_EQ(grid->capacity(), std::size_t(grid->GetNumberRows()) * 16u);
    EXPECT_EQ(grid->byteCount, bytes);
    for (const std::size_t k : {std::size_t(0), std::size_t(BufferBook::ROWS_PER_STEP) * 16u, grid->capacity() - 1})
        EXPECT_TRUE(grid->isHexCellEmpty(k)) << k;
}
