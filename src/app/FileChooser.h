// Where the load and save commands ask for a file name. The program asks the
// toolkit's dialogs; GUI tests install a chooser that answers with a path, since
// the GTK file chooser applies a preset path asynchronously and cannot be
// scripted through wx's dialog hook.
#pragma once

#include <string>

#include <wx/string.h>

class wxWindow;

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The file to load, or an empty string when the user cancelled.
    virtual wxString chooseFileToOpen(wxWindow* parent) = 0;
    // The file to save to (an existing one only after the user agreed to
    // replace it), or an empty string when the user cancelled.
    virtual wxString chooseFileToSave() = 0;
};

// The chooser in use: the toolkit's dialogs unless a test installed its own.
FileChooser& fileChooser();

// Installs `chooser` (not owned) for as long as this object lives.
class ScopedFileChooser {
public:
    explicit ScopedFileChooser(FileChooser& chooser);
    ~ScopedFileChooser();
    ScopedFileChooser(const ScopedFileChooser&) = delete;
    ScopedFileChooser& operator=(const ScopedFileChooser&) = delete;

private:
    FileChooser* previous_;
};

// A chosen path in the file system's own encoding, for loadImageFile and saveImageFile.
inline std::string fileSystemPath(const wxString& path)
{
    return std::string(path.fn_str());
}
