// Undo and redo of a buffer's cells: every kind of cell state comes back, red
// marks follow the bytes only where a whole content comes back, the history's
// memory stays bounded, and the buffer knows whether it differs from the
// content it was read, loaded or saved with.
#include <random>

#include <gtest/gtest.h>

#include "store/EditHistory.h"
#include "store/RunLength.h"

namespace {

constexpr std::size_t MIB = 1024 * 1024;

// Every cell's texts and mark, for comparing whole stores.
std::vector<std::wstring> cellStates(const ByteStore& store)
{
    std::vector<std::wstring> states;
    for (std::size_t k = 0; k < store.capacity(); ++k)
        states.push_back(store.hexText(k) + L'|' + store.charText(k) + (store.isRed(k) ? L"|red" : L""));
    return states;
}

void fill(ByteStore& store, const CellBlock& block, std::uint8_t value)
{
    block.forEachCell([&](std::size_t k) { store.setByte(k, value); });
}

} // namespace

TEST(RunLength, PacksAndUnpacksEveryKindOfRun)
{
    std::mt19937 random(7);
    std::vector<std::vector<std::uint8_t>> inputs = {{}, {1}, {1, 1}, {1, 1, 1}, {1, 2, 2, 3, 3, 3}};
    for (std::size_t length : {127u, 128u, 129u, 130u, 131u, 300u})
        inputs.push_back(std::vector<std::uint8_t>(length, 0xAA));
    std::vector<std::uint8_t> noise(1000);
    for (auto& b : noise)
        b = std::uint8_t(random());
    inputs.push_back(noise);
    std::vector<std::uint8_t> mixed = noise;
    mixed.insert(mixed.begin() + 500, 200, 0);
    inputs.push_back(mixed);
    for (const auto& input : inputs)
        EXPECT_EQ(unpackRuns(packRuns(input), input.size()), input) << input.size();
    EXPECT_LT(packRuns(std::vector<std::uint8_t>(MIB, 0)).size(), MIB / 50);
    EXPECT_LE(packRuns(noise).size(), noise.size() + noise.size() / 100 + 1);
}

TEST(EditHistory, UndoAndRedoBringBackEveryCellState)
{
    ByteStore store(64);
    BufferFacts facts{64, 0, ""};
    store.setByte(1, 0x41);
    store.editHexCell(2, L"1ff");
    store.editCharCell(3, L"xyz");
    store.editHexCell(4, L"");
    const auto before = cellStates(store);

    EditHistory history;
    const std::vector<CellBlock> blocks = {CellBlock{0, 6, 2}, CellBlock::run(40, 3)};
    history.recordCells(store, blocks);
    for (const CellBlock& block : blocks)
        fill(store, block, 0x5A);
    const auto after = cellStates(store);

    const auto undone = history.undo(store, facts);
    ASSERT_TRUE(undone);
    EXPECT_FALSE(undone->wholeContent);
    EXPECT_EQ(undone->blocks.size(), 2u);
    EXPECT_EQ(cellStates(store), before);
    ASSERT_TRUE(history.redo(store, facts));
    EXPECT_EQ(cellStates(store), after);
    ASSERT_TRUE(history.undo(store, facts));
    EXPECT_EQ(cellStates(store), before);
    EXPECT_EQ(facts.byteCount, 64u);
}

TEST(EditHistory, AnEditsUndoLeavesLaterRedMarksAlone)
{
    ByteStore store(32);
    BufferFacts facts{32, 0, ""};
    EditHistory history;
    history.recordCells(store, {CellBlock::run(0, 8)});
    fill(store, CellBlock::run(0, 8), 0x11);
    store.markRed(5); // a write failed there afterwards
    ASSERT_TRUE(history.undo(store, facts));
    EXPECT_TRUE(store.isHexEmpty(5));
    EXPECT_TRUE(store.isRed(5));
}

TEST(EditHistory, AReplacedContentComesBackWithItsSizeAndMarks)
{
    ByteStore store(48);
    BufferFacts facts{40, 0x0800, ""};
    store.setByte(3, 0x33);
    store.markRed(3);
    const auto old = cellStates(store);

    EditHistory history;
    history.recordReplacement(store, facts);
    store.reset(1024); // a load of 1000 bytes from an S-record file
    facts = {1000, 0x1000, "HDR"};
    store.setByte(999, 0x99);
    const auto loaded = cellStates(store);

    const auto undone = history.undo(store, facts);
    ASSERT_TRUE(undone);
    EXPECT_TRUE(undone->wholeContent);
    EXPECT_EQ(store.capacity(), 48u);
    EXPECT_EQ(facts.byteCount, 40u);
    EXPECT_EQ(facts.startAddress, 0x0800u);
    EXPECT_EQ(facts.imageHeader, "");
    EXPECT_EQ(cellStates(store), old);
    ASSERT_TRUE(history.redo(store, facts));
    EXPECT_EQ(store.capacity(), 1024u);
    EXPECT_EQ(facts.byteCount, 1000u);
    EXPECT_EQ(facts.startAddress, 0x1000u);
    EXPECT_EQ(facts.imageHeader, "HDR");
    EXPECT_EQ(cellStates(store), loaded);
}

TEST(EditHistory, NothingToUndoOrRedoChangesNothing)
{
    ByteStore store(16);
    BufferFacts facts{16, 0, ""};
    store.setByte(0, 1);
    EditHistory history;
    EXPECT_FALSE(history.undo(store, facts));
    EXPECT_FALSE(history.redo(store, facts));

    history.recordCells(store, {CellBlock::run(0, 1)});
    store.setByte(0, 2);
    ASSERT_TRUE(history.undo(store, facts));
    EXPECT_FALSE(history.undo(store, facts)) << "past the start";
    EXPECT_EQ(store.getByte(0), 1);

    history.recordCells(store, {CellBlock::run(0, 1)}); // a new edit after the undo
    store.setByte(0, 3);
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.redo(store, facts));
    EXPECT_EQ(store.getByte(0), 3);
}

TEST(EditHistory, KnowsWhetherTheContentDiffersFromTheUnchangedOne)
{
    ByteStore store(16);
    BufferFacts facts{16, 0, ""};
    EditHistory history;
    EXPECT_FALSE(history.isChanged());
    history.recordCells(store, {CellBlock::run(0, 1)});
    store.setByte(0, 1);
    EXPECT_TRUE(history.isChanged());
    history.undo(store, facts);
    EXPECT_FALSE(history.isChanged()) << "back where it was read";
    history.redo(store, facts);
    EXPECT_TRUE(history.isChanged());
    history.markUnchanged(); // saved
    EXPECT_FALSE(history.isChanged());
    history.undo(store, facts);
    EXPECT_TRUE(history.isChanged());
    history.recordCells(store, {CellBlock::run(1, 1)}); // the saved content cannot come back now
    store.setByte(1, 1);
    history.undo(store, facts);
    EXPECT_TRUE(history.isChanged());
}

TEST(EditHistory, MemoryStaysBounded)
{
    // Ten fills of a 1 MiB block over an image without runs.
    ByteStore store(MIB);
    BufferFacts facts{MIB, 0, ""};
    std::mt19937 random(1);
    for (std::size_t k = 0; k < MIB; ++k)
        store.setByte(k, std::uint8_t(random()));
    EditHistory history;
    const CellBlock block{0, 16, MIB / 16};
    for (int i = 0; i < 10; ++i) {
        history.recordCells(store, {block});
        fill(store, block, std::uint8_t(i));
    }
    EXPECT_LT(history.memoryBytes(), 2 * MIB);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(history.undo(store, facts));
    EXPECT_LT(history.memoryBytes(), 2 * MIB);

    // Whole contents without runs: the oldest go once the budget is spent.
    EditHistory loads;
    for (int i = 0; i < 40; ++i) {
        loads.recordReplacement(store, facts);
        store.setByte(std::size_t(i), 0);
    }
    EXPECT_LE(loads.memoryBytes(), EditHistory::MAX_BYTES + 2 * MIB);
    int undone = 0;
    while (loads.undo(store, facts))
        ++undone;
    EXPECT_GT(undone, 0);
    EXPECT_LT(undone, 40);

    // Small edits: at most MAX_STEPS of them.
    EditHistory edits;
    for (std::size_t i = 0; i < EditHistory::MAX_STEPS + 50; ++i)
        edits.recordCells(store, {CellBlock::run(i, 1)});
    std::size_t steps = 0;
    while (edits.undo(store, facts))
        ++steps;
    EXPECT_EQ(steps, EditHistory::MAX_STEPS);
}
