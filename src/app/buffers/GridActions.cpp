#include "app/buffers/GridActions.h"

#include "app/MessageBox.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"

void GridActions::run(GridAction action, BufferGrid& grid)
{
    switch (action) {
    case GridAction::Copy:
        copy(grid);
        break;
    case GridAction::Paste:
        paste(grid);
        break;
    case GridAction::Undo:
        if (!grid.undo())
            note(uiText(texts::NOTE_NOTHING_TO_UNDO));
        break;
    case GridAction::Redo:
        if (!grid.redo())
            note(uiText(texts::NOTE_NOTHING_TO_REDO));
        break;
    case GridAction::EmptyCells:
        emptyCells(grid);
        break;
    case GridAction::GoToAddress:
        goToAddress(grid);
        break;
    case GridAction::Find:
        find(grid);
        break;
    case GridAction::FindNext:
        findAgain(grid, SearchDirection::Forward);
        break;
    case GridAction::FindPrevious:
        findAgain(grid, SearchDirection::Backward);
        break;
    case GridAction::NextMarked:
        findMarked(grid, SearchDirection::Forward);
        break;
    case GridAction::PreviousMarked:
        findMarked(grid, SearchDirection::Backward);
        break;
    }
}

bool GridActions::isAvailable(GridAction action, const BufferGrid& grid) const
{
    if (action == GridAction::Undo)
        return grid.canUndo();
    if (action == GridAction::Redo)
        return grid.canRedo();
    return true;
}

void GridActions::emptyCells(BufferGrid& grid)
{
    // The selected hexadecimal cells (a block among the characters has its
    // twin there), or the cursor's byte when nothing is selected.
    std::vector<CellBlock> blocks = grid.selectedCells(GridHalf::Hex);
    if (blocks.empty())
        blocks.push_back(CellBlock::run(grid.cursorByte(), 1));
    grid.recordChange(blocks);
    for (const CellBlock& block : blocks)
        block.forEachCell([&grid](std::size_t k) { grid.emptyByte(k); });
}

void GridActions::note(const wxString& text)
{
    if (book_.statusNote)
        book_.statusNote(text);
}

void GridActions::refuseNotBytes(bool oddDigits, const std::wstring& token, const wxString& consequence)
{
    const Text opening = oddDigits ? texts::TEXT_ODD_DIGITS_1 : texts::TEXT_NOT_HEX_1;
    showMessageBox(uiText(opening) + wxString(token) + uiText(texts::TEXT_QUOTE_END) + consequence,
                   uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR);
}
