#include "app/buffers/BufferBook.h"

#include <algorithm>
#include <new>
#include <utility>

#include <wx/combobox.h>
#include <wx/panel.h>

#include "app/MessageBox.h"
#include "app/UiText.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/GridActions.h"
#include "app/buffers/NumberField.h"
#include "store/ByteStore.h"
#include "store/CellRules.h"

namespace {

constexpr std::uint32_t NEW_BUFFER_COUNT = 512;

std::uint32_t fieldNumber(const NumberField* field, int base)
{
    unsigned long value = 0;
    if (!field->GetValue().ToULong(&value, base))
        value = 0; // empty text reads 0
    return std::uint32_t(value);
}

// Growing a buffer is where memory runs out first: a count of millions of
// bytes, a large file. The user is told; every buffer stays as it was.
void tellBufferCannotGrow()
{
    showMessageBox(uiText(texts::BUFFER_NO_MEMORY), uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR);
}

} // namespace

BufferBook::BufferBook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                       const wxString& name)
    : wxNotebook(parent, id, pos, size, style, name), gridActions_(std::make_unique<GridActions>(*this))
{
    newPage(uiText(texts::BUFFER_BASE_NAME));
}

BufferBook::~BufferBook() = default;

void BufferBook::attachControls(NumberField* start, NumberField* count, NumberField* fill, wxComboBox* compare)
{
    startField = start;
    countField = count;
    compareCombo = compare;
    for (NumberField* field : {start, count, fill})
        field->setHandOver([this] { handOverFields(); });
    handOverFields();
}

wxString BufferBook::newPage(const wxString& baseName)
{
    const std::uint32_t count = currentBuffer ? currentBuffer->byteCount : NEW_BUFFER_COUNT;
    const std::uint32_t start = currentBuffer ? currentBuffer->startAddress : 0;
    if (GetPageCount() >= std::size_t(MAX_PAGES)) {
        showMessageBox(uiText(texts::TABS_LIMIT), uiText(texts::CAPTION_WARNING), wxOK | wxICON_WARNING);
        return wxString();
    }
    ByteStore cells;
    if (!makeCells(count, cells))
        return wxString();
    auto* page = new wxPanel(this);
    // Selecting the new page raises a page change; with no currentBuffer it does nothing.
    currentBuffer = nullptr;
    wxString name = baseName;
    if (baseName == uiText(texts::BUFFER_BASE_NAME))
        name << pageCounter++;
    AddPage(page, name, true);
    if (compareCombo) {
        compareCombo->Append(name);
        compareCombo->SetSelection(int(compareCombo->GetCount()) - 1);
        updateCompareComboEnabled();
    }
    placeGrid(GetSelection(), count, std::move(cells));
    // The grid follows the page's first real size, once GTK has laid it out.
    page->Bind(wxEVT_SIZE, &BufferBook::onPageLaidOut, this);
    if (startField)
        startField->SetValue(wxString(addressText(start & 0xFFFF)));
    return name;
}

void BufferBook::closeCurrentPage()
{
    const int sel = GetSelection();
    const int count = int(GetPageCount());
    if (sel < 0)
        return;
    const wxString label = GetPageText(std::size_t(sel));
    std::copy(slots_.begin() + sel + 1, slots_.begin() + count + 1, slots_.begin() + sel);
    if (compareCombo) {
        const int entry = compareCombo->FindString(label, true);
        if (entry != wxNOT_FOUND)
            compareCombo->Delete(std::size_t(entry));
        updateCompareComboEnabled();
        if (compareCombo->GetCount() > 0)
            compareCombo->SetSelection(int(compareCombo->GetCount()) - 1);
    }
    // The notebook may report the switch to another page while it deletes
    // this one: with no currentBuffer that report changes nothing (the grid
    // being destroyed must not take the fields), and currentBuffer is set below.
    currentBuffer = nullptr;
    DeletePage(std::size_t(sel));
    if (count == 1)
        newPage(uiText(texts::BUFFER_BASE_NAME));
    const bool closedTheLast = sel == count - 1 && sel > 0;
    currentBuffer = slots_[std::size_t(closedTheLast ? sel - 1 : sel)];
    // Show the page whose buffer is now current, whatever the notebook chose.
    const int shown = closedTheLast ? sel - 1 : sel;
    if (GetSelection() != shown)
        ChangeSelection(std::size_t(shown));
    if (currentBuffer)
        currentBuffer->showBufferInFields();
}

void BufferBook::renameCurrentPage(const wxString& name)
{
    const int sel = GetSelection();
    if (sel >= 0)
        SetPageText(std::size_t(sel), name);
}

BufferGrid* BufferBook::createGrid(std::uint32_t n)
{
    const int sel = GetSelection();
    if (sel < 0)
        return nullptr;
    n = std::min(n, MAX_BUFFER_BYTES);
    ByteStore cells;
    if (!makeCells(n, cells))
        return nullptr;
    return placeGrid(sel, n, std::move(cells));
}

// All the memory the cells will need is taken here, before any window changes,
// so that running out of it leaves every buffer as it was; the cells
// themselves are laid out in steps by placeGrid.
bool BufferBook::makeCells(std::uint32_t n, ByteStore& cells)
{
    const std::size_t cellCount = cellsForByteCount(n);
    try {
        cells.reserve(cellCount);
        cells.grow(std::min(cellCount, std::size_t(ROWS_PER_STEP) * BYTES_PER_ROW));
        return true;
    } catch (const std::bad_alloc&) {
        tellBufferCannotGrow();
        return false;
    }
}

BufferGrid* BufferBook::placeGrid(int sel, std::uint32_t n, ByteStore cells)
{
    const wxSize area = pageArea(sel);
    BufferGrid*& slot = slots_[std::size_t(sel)];
    BufferGrid* old = slot;
    const std::uint32_t keptStart = old ? old->startAddress : 0;
    // Millions of cells take long to set up: the grid starts with a part of
    // them and grows to the rest in steps, the window taking its turns between.
    slot = new BufferGrid(GetPage(std::size_t(sel)), area, *this, std::move(cells));
    slot->growInSteps(cellsForByteCount(n), std::size_t(ROWS_PER_STEP) * BYTES_PER_ROW, betweenSteps);
    if (old) {
        old->handHistoryTo(*slot);
        if (currentBuffer == old)
            currentBuffer = nullptr;
        old->Destroy();
    }
    currentBuffer = slot;
    if (startField && countField) {
        slot->byteCount = n;
        slot->startAddress = keptStart;
        slot->showBufferInFields();
    }
    return slot;
}

void BufferBook::setByte(std::size_t k, std::uint8_t v)
{
    if (currentBuffer)
        currentBuffer->setByte(k, v);
}

std::uint8_t BufferBook::getByte(std::size_t k) const { return currentBuffer ? currentBuffer->getByte(k) : 0; }

void BufferBook::onPageShown()
{
    if (!startField || !countField || !currentBuffer)
        return;
    takeFields(*currentBuffer);
    const int sel = GetSelection();
    currentBuffer = sel >= 0 ? slots_[std::size_t(sel)] : nullptr;
    if (currentBuffer)
        currentBuffer->showBufferInFields();
}

void BufferBook::handOverFields()
{
    if (!startField || !countField || !currentBuffer)
        return;
    takeFields(*currentBuffer);
    currentBuffer->relabelRows();
}

void BufferBook::takeFields(BufferGrid& grid)
{
    const std::uint32_t keptCount = grid.byteCount;
    grid.byteCount = fieldNumber(countField, 10);
    grid.startAddress = fieldNumber(startField, 16);
    if (grid.ensureCapacity())
        return;
    // The count the cells cannot hold goes; the fields show the buffer again.
    grid.byteCount = keptCount;
    tellBufferCannotGrow();
    grid.showBufferInFields();
}

void BufferBook::resizeGrids(int height)
{
    if (!currentBuffer)
        return;
    const int width = currentBuffer->GetSize().x;
    for (std::size_t i = 0; i < GetPageCount(); ++i) {
        // The window's size rule wins over a first layout still to come.
        GetPage(i)->Unbind(wxEVT_SIZE, &BufferBook::onPageLaidOut, this);
        if (BufferGrid* grid = slots_[i])
            grid->SetSize(width, height);
    }
}

wxSize BufferBook::pageArea(int page) const
{
    // GTK gives a page its size only when it lays the notebook out, which for
    // a page added a moment ago (and for every page before the window is
    // first shown) has not happened yet. A page that already held a grid has
    // its size; pages share one size; the very first page takes the
    // notebook's inside less the row of tabs until its size arrives
    // (onPageLaidOut).
    constexpr int TAB_ROW_HEIGHT = 40;
    if (slots_[std::size_t(page)])
        return GetPage(std::size_t(page))->GetClientSize();
    for (std::size_t i = 0; i < GetPageCount(); ++i) {
        if (int(i) != page && slots_[i])
            return GetPage(i)->GetClientSize();
    }
    const wxSize inside = GetClientSize();
    return wxSize(std::max(inside.x - 2, 1), std::max(inside.y - TAB_ROW_HEIGHT, 1));
}

void BufferBook::onPageLaidOut(wxSizeEvent& event)
{
    event.Skip();
    auto* page = static_cast<wxWindow*>(event.GetEventObject());
    const int index = FindPage(page);
    BufferGrid* grid = this->grid(index);
    if (!grid)
        return;
    page->Unbind(wxEVT_SIZE, &BufferBook::onPageLaidOut, this);
    const wxSize area = page->GetClientSize();
    grid->SetSize(area.x, std::max(area.y - GRID_MARGIN, 1));
}

BufferGrid* BufferBook::grid(int page) const
{
    return page >= 0 && page < int(slots_.size()) ? slots_[std::size_t(page)] : nullptr;
}

std::vector<wxString> BufferBook::changedPageLabels() const
{
    std::vector<wxString> labels;
    for (std::size_t i = 0; i < GetPageCount(); ++i) {
        if (slots_[i] && slots_[i]->isChanged())
            labels.push_back(GetPageText(i));
    }
    return labels;
}

void BufferBook::updateCompareComboEnabled() { compareCombo->Enable(compareCombo->GetCount() > 1); }
