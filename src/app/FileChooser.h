// Where the load and save commands ask for a file name. The program asks the
// toolkit's dialogs; GUI tests install a chooser that answers with a path, since
// the GTK file chooser applies a preset path asynchronously and cannot be
// scripted through wx's dialog hook.
#pragma once

#include <memory>
#include <string>

#include <wx/string.h>

#include "images/MemoryImageFile.h"

class wxFileDialog;
class wxWindow;

// The save dialog's answer: the path, empty when the user cancelled, and the
// format of the filter chosen. A name with a known ending saves in that
// format whatever the filter (see formatOfName).
struct SaveChoice {
    wxString path;
    ImageFormat filterFormat = ImageFormat::Raw;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The file to load, or an empty string when the user cancelled.
    virtual wxString chooseFileToOpen(wxWindow* parent) = 0;
    // The file to save to (an existing one only after the user agreed to
    // replace it).
    virtual SaveChoice chooseFileToSave() = 0;
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

// The two dialogs as the toolkit chooser shows them, also for tests that look
// at their filters. Opening: all files first, then S-records and Intel HEX.
// Saving: raw binary first (the default), then S-records and Intel HEX.
std::unique_ptr<wxFileDialog> makeOpenDialog(wxWindow* parent);
std::unique_ptr<wxFileDialog> makeSaveDialog();
// The format of the save dialog's filter at `index`.
ImageFormat saveFilterFormat(int index);

// A chosen path as the engine's file functions take it (loadMemoryImage,
// saveMemoryImage): in the file system's own encoding on Linux, UTF-8 on
// Windows (FileSystemPath.cpp, FileSystemPathMsw.cpp).
std::string fileSystemPath(const wxString& path);
