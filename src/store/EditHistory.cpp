#include "store/EditHistory.h"

namespace {

std::size_t stepBytes(const std::vector<CellSnapshot>& cells)
{
    std::size_t bytes = 0;
    for (const CellSnapshot& shot : cells)
        bytes += shot.memoryBytes();
    return bytes;
}

} // namespace

EditHistory::Step EditHistory::cellStep(const ByteStore& store, const std::vector<CellBlock>& blocks)
{
    Step step;
    for (const CellBlock& block : blocks)
        step.cells.push_back(store.snapshot(block));
    step.bytes = stepBytes(step.cells);
    return step;
}

EditHistory::Step EditHistory::wholeStep(const ByteStore& store, const BufferFacts& facts)
{
    Step step;
    step.cells.push_back(store.snapshot(CellBlock::run(0, store.capacity())));
    step.wholeContent = true;
    step.facts = facts;
    step.capacity = store.capacity();
    step.bytes = stepBytes(step.cells);
    return step;
}

void EditHistory::recordCells(const ByteStore& store, const std::vector<CellBlock>& blocks)
{
    push(cellStep(store, blocks));
}

void EditHistory::recordReplacement(const ByteStore& store, const BufferFacts& facts)
{
    push(wholeStep(store, facts));
}

void EditHistory::push(Step step)
{
    for (const Step& dropped : redo_)
        bytes_ -= dropped.bytes;
    redo_.clear();
    if (unchangedAt_ && *unchangedAt_ > position_)
        unchangedAt_.reset(); // it lay among the redo steps just dropped
    bytes_ += step.bytes;
    undo_.push_back(std::move(step));
    ++position_;
    keepWithinBounds();
}

void EditHistory::keepWithinBounds()
{
    while (undo_.size() > 1 && (undo_.size() + redo_.size() > MAX_STEPS || bytes_ > MAX_BYTES)) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
    const std::int64_t oldest = position_ - std::int64_t(undo_.size());
    if (unchangedAt_ && *unchangedAt_ < oldest)
        unchangedAt_.reset();
}

EditHistory::Step EditHistory::apply(const Step& step, ByteStore& store, BufferFacts& facts)
{
    if (step.wholeContent) {
        Step inverse = wholeStep(store, facts);
        store.reset(step.capacity);
        store.restore(step.cells.front(), false);
        facts = step.facts;
        return inverse;
    }
    std::vector<CellBlock> blocks;
    for (const CellSnapshot& shot : step.cells)
        blocks.push_back(shot.block());
    Step inverse = cellStep(store, blocks);
    for (const CellSnapshot& shot : step.cells)
        store.restore(shot, true);
    return inverse;
}

std::optional<EditHistory::Applied> EditHistory::undo(ByteStore& store, BufferFacts& facts)
{
    return takeStep(undo_, redo_, -1, store, facts);
}

std::optional<EditHistory::Applied> EditHistory::redo(ByteStore& store, BufferFacts& facts)
{
    return takeStep(redo_, undo_, +1, store, facts);
}

std::optional<EditHistory::Applied> EditHistory::takeStep(std::deque<Step>& from, std::deque<Step>& to, int direction,
                                                          ByteStore& store, BufferFacts& facts)
{
    if (from.empty())
        return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    bytes_ -= step.bytes;
    Step inverse = apply(step, store, facts);
    position_ += direction;
    Applied applied{step.wholeContent, {}};
    for (const CellSnapshot& shot : step.cells)
        applied.blocks.push_back(shot.block());
    bytes_ += inverse.bytes;
    to.push_back(std::move(inverse));
    keepWithinBounds();
    return applied;
}

std::size_t EditHistory::memoryBytes() const { return bytes_ + (undo_.size() + redo_.size()) * sizeof(Step); }
