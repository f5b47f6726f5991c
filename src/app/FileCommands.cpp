// "Czytaj plik" and "Zapisz do pliku": a memory image file (raw, S-records or
// Intel HEX) into the buffer shown, and the buffer shown into one. The file is
// read in full before the buffer is touched, so a file that cannot be read
// leaves the buffer as it was; a save replaces an old file only once the new
// bytes are on disk, so a failed save leaves the old file as it was.
#include "app/FileCommands.h"

#include <algorithm>
#include <new>

#include <wx/combobox.h>
#include <wx/filename.h>

#include "app/FileChooser.h"
#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/ProgressWindow.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "images/ImageMessages.h"
#include "images/LoadQuestions.h"
#include "images/MemoryImageFile.h"
#include "texts/ResultLines.h"

namespace {

constexpr int RESULT_FIELD = 0;
constexpr int ADDRESS_FIELD = 1; // the field of write failures and comparison summaries otherwise

AfterSizeHook loadHook;

bool userAgrees(Text question)
{
    return showMessageBox(uiText(question), uiText(texts::CAPTION_WARNING), wxYES_NO | wxICON_QUESTION) ==
           wxID_YES;
}

bool userAcceptsSize(std::uint64_t fileBytes, std::uint32_t bufferBytes)
{
    const LoadQuestions asks = loadQuestions(fileBytes, bufferBytes);
    if (asks.largerThanBuffer && !userAgrees(texts::FILE_LARGER_THAN_BUFFER))
        return false;
    return !asks.veryLarge || userAgrees(texts::FILE_VERY_LARGE);
}

// The compareCombo entry of the page shown takes the page's new name; then the
// list's selection moves on by one entry (off the end: no selection). The
// list's own text shows the new name where it showed the old one.
void renameCompareEntry(wxComboBox* combo, const wxString& oldLabel, const wxString& newLabel)
{
    if (!combo)
        return;
    const int entry = combo->FindString(oldLabel, true);
    // SetString may drop the selection of the entry it changes; keep it.
    const int selected = combo->GetSelection();
    const bool showedOldLabel = combo->GetValue() == oldLabel;
    if (entry != wxNOT_FOUND)
        combo->SetString(unsigned(entry), newLabel);
    const int last = int(combo->GetCount()) - 1;
    if (selected == wxNOT_FOUND)
        combo->SetSelection(0);
    else
        combo->SetSelection(selected < last ? selected + 1 : wxNOT_FOUND);
    // A selected entry shows itself; with none GTK keeps whatever text was there.
    if (combo->GetSelection() == wxNOT_FOUND && showedOldLabel && entry != wxNOT_FOUND)
        combo->ChangeValue(newLabel);
}

} // namespace

ScopedLoadHook::ScopedLoadHook(AfterSizeHook hook) : previous_(std::move(loadHook)) { loadHook = std::move(hook); }

ScopedLoadHook::~ScopedLoadHook() { loadHook = std::move(previous_); }

void MainFrame::onLoadFile(wxCommandEvent&)
{
    const wxString path = fileChooser().chooseFileToOpen(this);
    if (path.empty() || !bufferBook->currentBuffer)
        return;
    MemoryImageLoad load;
    try {
        load = loadMemoryImage(fileSystemPath(path), loadHook);
    } catch (const std::bad_alloc&) {
        // The file's bytes did not fit in memory; no buffer has been touched.
        showMessageBox(uiText(texts::BUFFER_NO_MEMORY), uiText(texts::CAPTION_ERROR), wxOK | wxICON_ERROR);
        return;
    }
    if (!load.ok()) {
        showMessageBox(uiText(withReasonLine(loadFailureText(load), load.error)), uiText(texts::CAPTION_ERROR),
                       wxOK | wxICON_ERROR);
        return;
    }
    const MemoryImage& image = load.image;
    const std::uint32_t length = std::uint32_t(image.size()); // at most MAX_BUFFER_BYTES
    if (!userAcceptsSize(length, bufferBook->currentBuffer->byteCount))
        return;

    BufferGrid* grid = bufferBook->createGrid(length);
    if (!grid)
        return; // no memory for it: the user has been told, the buffer is as it was
    // A raw file names no address: the buffer keeps its own start.
    const bool placed = load.format != ImageFormat::Raw;
    if (placed) {
        grid->startAddress = image.startAddress;
        grid->showBufferInFields();
    }
    grid->imageHeader = image.header;
    const wxString name = wxFileName(path).GetFullName();
    renameCompareEntry(compareCombo, bufferBook->GetPageText(std::size_t(bufferBook->GetSelection())), name);
    bufferBook->renameCurrentPage(name);

    ProgressWindow& gauge = progress();
    gauge.progressStart(length);
    for (std::uint32_t k = 0; k < length; ++k) {
        if (image.filled[k]) // a gap stays an empty cell
            grid->setByte(k, image.bytes[k]);
        gauge.progressStep();
    }
    if (!placed) {
        SetStatusText(uiText(loadResultLine(length)), RESULT_FIELD);
        return;
    }
    // The bytes the file gives, not the gaps between them.
    SetStatusText(uiText(loadResultLine(image.filledCount())), RESULT_FIELD);
    SetStatusText(uiText(loadedAddressesLine(*image.firstFilledAddress(), *image.lastFilledAddress())),
                  ADDRESS_FIELD);
}

void MainFrame::onSaveFile(wxCommandEvent&)
{
    const SaveChoice choice = fileChooser().chooseFileToSave();
    BufferGrid* grid = bufferBook->currentBuffer;
    if (choice.path.empty() || !grid)
        return;
    const std::string path = fileSystemPath(choice.path);
    // The grid grows to hold its count; cells it does not have are gaps, which a raw file holds as 00.
    const std::uint32_t count = grid->byteCount;
    const std::size_t cells = std::min<std::size_t>(count, grid->capacity());
    MemoryImage image;
    image.startAddress = grid->startAddress;
    image.header = grid->imageHeader;
    image.bytes.assign(count, 0);
    image.filled.assign(count, false);
    ProgressWindow& gauge = progress();
    gauge.progressStart(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        if (k < cells) {
            image.bytes[k] = grid->getByte(k);
            image.filled[k] = !grid->isHexCellEmpty(k);
        }
        gauge.progressStep();
    }
    gauge.progressFinish();
    const ImageSave saved = saveMemoryImage(path, formatOfName(path).value_or(choice.filterFormat), image);
    if (!saved.ok()) {
        showMessageBox(uiText(withReasonLine(saveFailureText(saved), saved.error)), uiText(texts::CAPTION_ERROR), wxOK);
        return;
    }
    grid->markSaved();
}
