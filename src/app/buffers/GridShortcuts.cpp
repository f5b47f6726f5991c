#include "app/buffers/GridShortcuts.h"

#include <array>
#include <initializer_list>

#include <wx/event.h>
#include <wx/menu.h>

#include "app/UiText.h"

namespace {

struct Key {
    int code;
    int modifiers; // exactly these of wxMOD_CONTROL, wxMOD_SHIFT, wxMOD_ALT
};

struct Entry {
    GridAction action;
    Text label;
    const char* shortcut; // as the menu shows it
    std::initializer_list<Key> keys;
    bool separatorBefore;
};

// The shortcuts are those of the common editors: Ctrl+Insert and Shift+Insert
// beside Ctrl+C and Ctrl+V, Ctrl+Y and Ctrl+Shift+Z for redo.
const std::array<Entry, 11> ENTRIES = {{
    {GridAction::Copy, texts::GRID_COPY, "Ctrl+C", {{'C', wxMOD_CONTROL}, {WXK_INSERT, wxMOD_CONTROL}}, false},
    {GridAction::Paste, texts::GRID_PASTE, "Ctrl+V", {{'V', wxMOD_CONTROL}, {WXK_INSERT, wxMOD_SHIFT}}, false},
    {GridAction::EmptyCells, texts::GRID_EMPTY_CELLS, "Del", {{WXK_DELETE, 0}, {WXK_BACK, 0}}, false},
    {GridAction::Undo, texts::GRID_UNDO, "Ctrl+Z", {{'Z', wxMOD_CONTROL}}, true},
    {GridAction::Redo, texts::GRID_REDO, "Ctrl+Y", {{'Y', wxMOD_CONTROL}, {'Z', wxMOD_CONTROL | wxMOD_SHIFT}}, false},
    {GridAction::GoToAddress, texts::GRID_GO_TO, "Ctrl+G", {{'G', wxMOD_CONTROL}}, true},
    {GridAction::Find, texts::GRID_FIND, "Ctrl+F", {{'F', wxMOD_CONTROL}}, false},
    {GridAction::FindNext, texts::GRID_FIND_NEXT, "F3", {{WXK_F3, 0}}, false},
    {GridAction::FindPrevious, texts::GRID_FIND_PREVIOUS, "Shift+F3", {{WXK_F3, wxMOD_SHIFT}}, false},
    {GridAction::NextMarked, texts::GRID_NEXT_MARKED, "F6", {{WXK_F6, 0}}, true},
    {GridAction::PreviousMarked, texts::GRID_PREVIOUS_MARKED, "Shift+F6", {{WXK_F6, wxMOD_SHIFT}}, false},
}};

// Menu items count from here; the window's own identifiers lie far below.
constexpr int FIRST_ITEM_ID = wxID_HIGHEST + 1000;

// The modifiers a shortcut names; others (the Windows key, Meta) are ignored.
int shortcutModifiers(const wxKeyEvent& event)
{
    return event.GetModifiers() & (wxMOD_CONTROL | wxMOD_SHIFT | wxMOD_ALT);
}

} // namespace

std::optional<GridAction> actionForKey(const wxKeyEvent& event)
{
    const int modifiers = shortcutModifiers(event);
    for (const Entry& entry : ENTRIES) {
        for (const Key& key : entry.keys) {
            if (key.code == event.GetKeyCode() && key.modifiers == modifiers)
                return entry.action;
        }
    }
    return std::nullopt;
}

bool opensContextMenu(const wxKeyEvent& event)
{
    // The Menu key has either name, depending on the system and the keyboard map.
    const int modifiers = shortcutModifiers(event);
    const int key = event.GetKeyCode();
    return (modifiers == 0 && (key == WXK_MENU || key == WXK_WINDOWS_MENU)) ||
           (modifiers == wxMOD_SHIFT && key == WXK_F10);
}

std::unique_ptr<wxMenu> gridContextMenu(const std::function<bool(GridAction)>& available)
{
    auto menu = std::make_unique<wxMenu>();
    for (std::size_t i = 0; i < ENTRIES.size(); ++i) {
        const Entry& entry = ENTRIES[i];
        if (entry.separatorBefore)
            menu->AppendSeparator();
        const int id = FIRST_ITEM_ID + int(i);
        menu->Append(id, uiText(entry.label) + "\t" + entry.shortcut);
        menu->Enable(id, available(entry.action));
    }
    return menu;
}

std::optional<GridAction> actionOfMenuItem(int id)
{
    const int index = id - FIRST_ITEM_ID;
    if (index < 0 || index >= int(ENTRIES.size()))
        return std::nullopt;
    return ENTRIES[std::size_t(index)].action;
}
