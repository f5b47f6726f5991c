// The toolkit's file dialogs behind the FileChooser seam.
#include "app/FileChooser.h"

#include <wx/filedlg.h>

#include "app/UiText.h"

namespace {

class ToolkitFileChooser : public FileChooser {
public:
    wxString chooseFileToOpen(wxWindow* parent) override
    {
        // Older toolkits had a style that hid the dialog's "open read-only"
        // check box; GTK's dialog never has one, so plain wxFD_OPEN is the same.
        wxFileDialog dialog(parent, uiText(texts::FILE_CHOOSE), wxString(), wxString(), wxString(), wxFD_OPEN);
        // GTK reports the highlighted file even after Cancel: only OK chooses.
        if (dialog.ShowModal() != wxID_OK)
            return wxString();
        return dialog.GetPath();
    }

    wxString chooseFileToSave() override
    {
        // wxFileSelector gives an empty string on Cancel by itself; as above, no
        // read-only style exists to add.
        return wxFileSelector(uiText(texts::FILE_CHOOSE), wxString(), wxString(), wxString(), wxString(),
                              wxFD_SAVE | wxFD_OVERWRITE_PROMPT, nullptr);
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
