// The hex editor's actions on a buffer grid (GridShortcuts.h says how the user
// reaches them). One object per window, so that "find next" goes on with the
// last search on any page. Results go to the status line as notes; input that
// cannot be used is refused in a box (the program's one message box), and
// changes nothing. Split over files by subject: GridActions.cpp (dispatch,
// undo, emptying cells), GridClipboard.cpp, GridSearch.cpp.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "app/buffers/BufferGrid.h"
#include "app/buffers/GridShortcuts.h"
#include "store/ByteSearch.h"

class BufferBook;

class GridActions {
public:
    explicit GridActions(BufferBook& book) : book_(book) {}

    void run(GridAction action, BufferGrid& grid);
    // Whether the context menu offers the action now.
    bool isAvailable(GridAction action, const BufferGrid& grid) const;

private:
    struct LastSearch {
        std::vector<int> pattern;
        GridHalf half = GridHalf::Hex;
        wxString typed;
    };

    void emptyCells(BufferGrid& grid);
    void note(const wxString& text);
    // Refuses input that is not hexadecimal bytes, quoting the token at fault.
    static void refuseNotBytes(bool oddDigits, const std::wstring& token, const wxString& consequence);

    // GridClipboard.cpp
    void copy(BufferGrid& grid);
    void paste(BufferGrid& grid);

    // GridSearch.cpp
    void goToAddress(BufferGrid& grid);
    void find(BufferGrid& grid);
    void findAgain(BufferGrid& grid, SearchDirection direction);
    void searchFrom(BufferGrid& grid, std::size_t start, SearchDirection direction);
    void findMarked(BufferGrid& grid, SearchDirection direction);

    BufferBook& book_;
    std::optional<LastSearch> lastSearch_;
};
