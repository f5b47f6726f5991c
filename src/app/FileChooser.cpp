// The toolkit's file dialogs behind the FileChooser seam.
#include "app/FileChooser.h"

#include <iterator>
#include <span>

#include <wx/filedlg.h>

#include "app/UiText.h"

namespace {

constexpr Text OPEN_FILTERS[] = {texts::FILTER_ALL_FILES, texts::FILTER_SRECORD, texts::FILTER_INTEL_HEX};
constexpr Text SAVE_FILTERS[] = {texts::FILTER_RAW, texts::FILTER_SRECORD, texts::FILTER_INTEL_HEX};
// What each of the save filters saves.
constexpr ImageFormat SAVE_FORMATS[] = {ImageFormat::Raw, ImageFormat::SRecord, ImageFormat::IntelHex};
static_assert(std::size(SAVE_FORMATS) == std::size(SAVE_FILTERS));

wxString wildcardOf(std::span<const Text> filters)
{
    wxString wildcard;
    for (Text filter : filters)
        wildcard += (wildcard.empty() ? "" : "|") + uiText(filter);
    return wildcard;
}

class ToolkitFileChooser : public FileChooser {
public:
    wxString chooseFileToOpen(wxWindow* parent) override
    {
        const auto dialog = makeOpenDialog(parent);
        // GTK reports the highlighted file even after Cancel: only OK chooses.
        if (dialog->ShowModal() != wxID_OK)
            return wxString();
        return dialog->GetPath();
    }

    SaveChoice chooseFileToSave() override
    {
        const auto dialog = makeSaveDialog();
        if (dialog->ShowModal() != wxID_OK)
            return {};
        return {dialog->GetPath(), saveFilterFormat(dialog->GetFilterIndex())};
    }
};

ToolkitFileChooser toolkitChooser;
FileChooser* installedChooser = &toolkitChooser;

} // namespace

FileChooser& fileChooser() { return *installedChooser; }

ScopedFileChooser::ScopedFileChooser(FileChooser& chooser) : previous_(installedChooser)
{
    installedChooser = &chooser;
}

ScopedFileChooser::~ScopedFileChooser() { installedChooser = previous_; }

// Older toolkits had a style that hid the dialogs' "open read-only" check box;
// GTK's dialog never has one, so the plain open and save styles are the same.
std::unique_ptr<wxFileDialog> makeOpenDialog(wxWindow* parent)
{
    return std::make_unique<wxFileDialog>(parent, uiText(texts::FILE_CHOOSE), wxString(), wxString(),
                                          wildcardOf(OPEN_FILTERS), wxFD_OPEN);
}

std::unique_ptr<wxFileDialog> makeSaveDialog()
{
    return std::make_unique<wxFileDialog>(nullptr, uiText(texts::FILE_CHOOSE), wxString(), wxString(),
                                          wildcardOf(SAVE_FILTERS), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
}

ImageFormat saveFilterFormat(int index)
{
    if (index < 0 || index >= int(std::size(SAVE_FORMATS)))
        return ImageFormat::Raw;
    return SAVE_FORMATS[index];
}
