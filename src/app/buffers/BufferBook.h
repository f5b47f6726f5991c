// The notebook of buffer pages: at most eight pages, each a panel holding one
// BufferGrid. It knows which grid is shown (currentBuffer), names new pages
// Buf0, Buf1, ... and keeps the "Porównaj z" list (compareCombo) in step with
// the page names.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <wx/notebook.h>

class wxComboBox;
class BufferGrid;
class ByteStore;
class GridActions;
class NumberField;

class BufferBook : public wxNotebook {
public:
    static constexpr int MAX_PAGES = 8;
    // Rows a grid is built by in one step (half a megabyte of cells).
    static constexpr int ROWS_PER_STEP = 1 << 15;

    // Adds the first page, Buf0. The number fields and compareCombo come later
    // (attachControls).
    BufferBook(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
               const wxString& name);
    ~BufferBook() override;

    // The main window's controls that follow the buffers. From here on the
    // start and count fields hand every edit to the buffer shown, and the
    // first buffer takes the values they show now.
    void attachControls(NumberField* start, NumberField* count, NumberField* fill, wxComboBox* compare);

    // Adds a page named baseName ("Buf" takes the next number), shows it and
    // makes its grid currentBuffer, with the byte count and start address of
    // the buffer shown before (512 from 0000 when there was none). Returns the
    // name, or an empty string after warning that eight pages are open or that
    // the memory for the cells is not there (no page is added then).
    wxString newPage(const wxString& baseName);
    // Closes the page shown; the last page closed is replaced by a fresh one.
    void closeCurrentPage();
    // The label of the page shown; compareCombo is left to the caller.
    void renameCurrentPage(const wxString& name);

    // Replaces the grid of the page shown by an empty one of n bytes (at most
    // MAX_BUFFER_BYTES), keeping the start address and the page's undo history,
    // and makes it currentBuffer. Without the memory for the cells the user is
    // told, nothing changes and the result is none.
    BufferGrid* createGrid(std::uint32_t n);
    // On currentBuffer; indexes past its capacity are ignored and read 0.
    void setByte(std::size_t k, std::uint8_t v);
    std::uint8_t getByte(std::size_t k) const;

    // The notebook shows another page: the buffer left takes the fields, the
    // one shown gives them its values. Called by the main window.
    void onPageShown();
    // A start or count field changed: the buffer shown takes both fields.
    void handOverFields();
    // Every grid to the width of the shown one and the given height.
    void resizeGrids(int height);

    // The grid of page i, or none.
    BufferGrid* grid(int page) const;
    // The labels of the pages whose buffers changed since they were read,
    // loaded or saved.
    std::vector<wxString> changedPageLabels() const;

    // The hex editor's actions, shared by the grids of all pages.
    GridActions& gridActions() { return *gridActions_; }
    // Between the steps of building a grid of millions of bytes: the
    // window's turn, if one is due.
    std::function<void()> betweenSteps;
    // Where the grids' notes go (status field 0 of the main window).
    std::function<void(const wxString&)> statusNote;

    BufferGrid* currentBuffer = nullptr;
    unsigned pageCounter = 0; // numbers are never reused in a run
    NumberField* startField = nullptr;
    NumberField* countField = nullptr;
    wxComboBox* compareCombo = nullptr;

private:
    // Empty cells for n bytes in `cells`; false after telling the user that the memory is not there.
    static bool makeCells(std::uint32_t n, ByteStore& cells);
    BufferGrid* placeGrid(int page, std::uint32_t n, ByteStore cells);
    // The fields' count and start into `grid`; a count its cells cannot grow to is refused.
    void takeFields(BufferGrid& grid);
    void updateCompareComboEnabled();
    wxSize pageArea(int page) const;
    void onPageLaidOut(wxSizeEvent& event);

    // Slot i holds the grid of page i; one more than the page limit, so that
    // closing a page can move the slots above it down without a special case.
    std::array<BufferGrid*, MAX_PAGES + 1> slots_{};
    std::unique_ptr<GridActions> gridActions_;
};
