// Moving through a buffer: to an address typed in a small box, to the bytes of
// a pattern (hexadecimal with ?? wildcards when the cursor is in the
// hexadecimal half, text when it is among the characters), and to the next
// red cell. Searches go once round the buffer and say so when they wrap;
// "not found" is a note in the status line, not a box.
#include "app/buffers/GridActions.h"

#include <wx/textdlg.h>

#include "app/MessageBox.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "store/HexDigits.h"

namespace {

// The target address of byte k, at least four digits (more past FFFF).
wxString addressOf(const BufferGrid& grid, std::size_t k)
{
    return wxString::Format("%04llX", static_cast<unsigned long long>(grid.startAddress) + k);
}

std::optional<wxString> askForText(BufferGrid& grid, Text caption, const wxString& prompt, const wxString& initial)
{
    wxTextEntryDialog box(wxGetTopLevelParent(&grid), prompt, uiText(caption), initial);
    labelButtonsInPolish(box);
    if (box.ShowModal() != wxID_OK)
        return std::nullopt;
    return box.GetValue();
}

void refuse(const wxString& text) { showMessageBox(text, uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR); }

// A typed address: hexadecimal digits, a 0x prefix and spaces tolerated.
std::optional<unsigned long long> readAddress(wxString typed)
{
    typed.Trim(true).Trim(false);
    if (typed.Lower().StartsWith("0x"))
        typed = typed.Mid(2);
    if (typed.length() > 8)
        return std::nullopt;
    const std::wstring digits = typed.ToStdWstring();
    const std::optional<std::uint64_t> value = hexNumberValue(std::wstring_view(digits));
    return value ? std::optional<unsigned long long>(*value) : std::nullopt;
}

// Where "next" and "previous" start: the byte after or before the cursor, round the ends.
std::size_t beside(const BufferGrid& grid, SearchDirection direction)
{
    const std::size_t cursor = grid.cursorByte();
    return direction == SearchDirection::Forward ? cursor + 1 : cursor + grid.capacity() - 1;
}

wxString wrapNote(const SearchHit& hit, SearchDirection direction)
{
    if (!hit.wrapped)
        return ".";
    return uiText(direction == SearchDirection::Forward ? texts::NOTE_WRAPPED_PAST_END : texts::NOTE_WRAPPED_PAST_START);
}

} // namespace

void GridActions::goToAddress(BufferGrid& grid)
{
    const std::size_t cells = grid.capacity();
    const wxString range = addressOf(grid, 0) + uiText(texts::RANGE_TO) + addressOf(grid, cells - 1);
    const wxString prompt = uiText(texts::GO_TO_PROMPT) + range + ":";
    const std::optional<wxString> typed =
        askForText(grid, texts::GO_TO_CAPTION, prompt, addressOf(grid, grid.cursorByte()));
    if (!typed)
        return;
    const std::optional<unsigned long long> address = readAddress(*typed);
    if (!address) {
        refuse(uiText(texts::GO_TO_NOT_HEX) + *typed + uiText(texts::TEXT_QUOTE_END));
        return;
    }
    // The row labels show four digits and go on from FFF0 to 0000: an address
    // below the start may be one of the rows after the wrap.
    const unsigned long long start = grid.startAddress;
    unsigned long long target = *address;
    if (target < start && start + cells > 0x10000)
        target += 0x10000;
    if (target < start || target - start >= cells) {
        refuse(uiText(texts::GO_TO_OUTSIDE_1) + typed->Upper() + uiText(texts::GO_TO_OUTSIDE_2) + range + ".");
        return;
    }
    grid.goToByte(std::size_t(target - start), grid.cursorHalf());
}

void GridActions::find(BufferGrid& grid)
{
    const GridHalf half = grid.cursorHalf();
    const wxString last = lastSearch_ && lastSearch_->half == half ? lastSearch_->typed : wxString();
    const Text prompt = half == GridHalf::Hex ? texts::FIND_PROMPT_HEX : texts::FIND_PROMPT_TEXT;
    const std::optional<wxString> typed = askForText(grid, texts::FIND_CAPTION, uiText(prompt), last);
    if (!typed || typed->empty())
        return;
    const SearchPattern pattern =
        half == GridHalf::Hex ? readHexPattern(typed->ToStdWstring()) : readTextPattern(typed->ToStdWstring());
    switch (pattern.problem) {
    case SearchPattern::Problem::None:
        break;
    case SearchPattern::Problem::Empty:
        return;
    case SearchPattern::Problem::NotHex:
    case SearchPattern::Problem::OddDigits:
        refuseNotBytes(pattern.problem == SearchPattern::Problem::OddDigits, pattern.detail, wxString());
        return;
    case SearchPattern::Problem::OnlyWildcards:
        refuse(uiText(texts::FIND_ONLY_WILDCARDS));
        return;
    case SearchPattern::Problem::ForeignCharacter:
        refuse(uiText(texts::FIND_FOREIGN_CHARACTER_1) + wxString(pattern.detail) +
               uiText(texts::FIND_FOREIGN_CHARACTER_2));
        return;
    }
    if (pattern.cells.size() > grid.capacity()) {
        refuse(uiText(texts::FIND_LONGER_THAN_BUFFER));
        return;
    }
    lastSearch_ = LastSearch{pattern.cells, half, *typed};
    searchFrom(grid, grid.cursorByte(), SearchDirection::Forward); // a match at the cursor counts
}

void GridActions::findAgain(BufferGrid& grid, SearchDirection direction)
{
    if (!lastSearch_) {
        find(grid);
        return;
    }
    searchFrom(grid, beside(grid, direction), direction);
}

void GridActions::searchFrom(BufferGrid& grid, std::size_t start, SearchDirection direction)
{
    const std::optional<SearchHit> hit = findPattern(grid.cells(), lastSearch_->pattern, start, direction);
    if (!hit) {
        note(uiText(texts::NOTE_NOT_FOUND) + lastSearch_->typed);
        return;
    }
    grid.selectRun(hit->index, lastSearch_->pattern.size(), lastSearch_->half);
    note(uiText(texts::NOTE_FOUND_AT) + addressOf(grid, hit->index) + wrapNote(*hit, direction));
}

void GridActions::findMarked(BufferGrid& grid, SearchDirection direction)
{
    const std::optional<SearchHit> hit = findRedCell(grid.cells(), beside(grid, direction), direction);
    if (!hit) {
        note(uiText(texts::NOTE_NO_MARKED_CELLS));
        return;
    }
    grid.goToByte(hit->index, GridHalf::Hex);
    note(uiText(texts::NOTE_MARKED_AT) + addressOf(grid, hit->index) + wrapNote(*hit, direction));
}
