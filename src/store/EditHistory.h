// Undo and redo for one buffer. A step keeps only what a change overwrote:
// the cells of the blocks it touched (packed, so a fill over a filled block
// costs a few kilobytes), or, for a read or a load that replaces the whole
// buffer, the whole old content and its byte count. Undoing a step puts its
// cells back and keeps what it overwrote in their place, for redo.
//
// Memory stays bounded: at most MAX_STEPS steps and MAX_BYTES of saved cells
// per buffer; the oldest steps go first. The newest step is always kept, so
// the last change can be undone however large it was.
//
// The history also knows whether the buffer differs from the content it was
// read, loaded or saved with: undoing back to that content counts as unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "store/ByteStore.h"

// What a buffer holds beside its cells, which a read or a load replaces
// along with them (a record file names its start address and header).
struct BufferFacts {
    std::uint32_t byteCount = 0;
    std::uint32_t startAddress = 0;
    std::string imageHeader;
};

class EditHistory {
public:
    static constexpr std::size_t MAX_STEPS = 1000;
    static constexpr std::size_t MAX_BYTES = 16 * 1024 * 1024;

    // What undo or redo changed: the whole content, or the cells of `blocks`.
    struct Applied {
        bool wholeContent = false;
        std::vector<CellBlock> blocks;
    };

    // Before cells change: their content now, as one step. Drops the redo steps.
    void recordCells(const ByteStore& store, const std::vector<CellBlock>& blocks);
    // Before the whole content is replaced: the old content and its facts.
    void recordReplacement(const ByteStore& store, const BufferFacts& facts);

    // Nothing when there is no step to take back (or to do again).
    std::optional<Applied> undo(ByteStore& store, BufferFacts& facts);
    std::optional<Applied> redo(ByteStore& store, BufferFacts& facts);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    // The content now is the one read, loaded or saved.
    void markUnchanged() { unchangedAt_ = position_; }
    bool isChanged() const { return !unchangedAt_ || *unchangedAt_ != position_; }

    // Heap bytes the steps hold.
    std::size_t memoryBytes() const;

private:
    struct Step {
        std::vector<CellSnapshot> cells;
        bool wholeContent = false;
        BufferFacts facts;        // the whole content's
        std::size_t capacity = 0; // the whole content's
        std::size_t bytes = 0;
    };

    static Step cellStep(const ByteStore& store, const std::vector<CellBlock>& blocks);
    static Step wholeStep(const ByteStore& store, const BufferFacts& facts);
    // Applies `step` and returns the step that takes it back.
    static Step apply(const Step& step, ByteStore& store, BufferFacts& facts);
    // Applies the newest step of `from` and keeps its inverse in `to`.
    std::optional<Applied> takeStep(std::deque<Step>& from, std::deque<Step>& to, int direction, ByteStore& store,
                                    BufferFacts& facts);
    void push(Step step);
    void keepWithinBounds();

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::size_t bytes_ = 0;
    // Steps done since the history began (undo counts back); the unchanged
    // content's position, or none once no undo or redo can reach it again.
    std::int64_t position_ = 0;
    std::optional<std::int64_t> unchangedAt_ = 0;
};
