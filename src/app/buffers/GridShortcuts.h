// What the grid does as a hex editor beyond the cell rules, and how the user
// reaches it: one table of actions with their keyboard shortcuts and their
// items in the grid's context menu (right click, the Menu key or Shift+F10).
// Nothing of this appears in the window's menus or tool bar.
#pragma once

#include <functional>
#include <memory>
#include <optional>

class wxKeyEvent;
class wxMenu;

enum class GridAction {
    Copy,
    Paste,
    Undo,
    Redo,
    EmptyCells,
    GoToAddress,
    Find,
    FindNext,
    FindPrevious,
    NextMarked,
    PreviousMarked,
};

// The action a key pressed in a grid stands for, if any.
std::optional<GridAction> actionForKey(const wxKeyEvent& event);
// Whether the key opens the context menu: the Menu key or Shift+F10, as in
// every program on both systems.
bool opensContextMenu(const wxKeyEvent& event);

// The context menu: every action with its shortcut beside it; the items of
// actions that `available` refuses are greyed.
std::unique_ptr<wxMenu> gridContextMenu(const std::function<bool(GridAction)>& available);
// The action of the context menu's item `id`, if it is one.
std::optional<GridAction> actionOfMenuItem(int id);
