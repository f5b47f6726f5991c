// What the load, save and compare tests share: a fresh folder per test, a file
// chooser that answers with prepared paths, raw files in and out, and the
// buffer's cells as bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <wx/combobox.h>

#include "GuiHarness.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/FileChooser.h"

using Bytes = std::vector<std::uint8_t>;
using Labels = std::vector<wxString>;

// Answers the open and save questions with the paths (and the save filter)
// set; counts the questions.
class PathChooser : public FileChooser {
public:
    wxString chooseFileToOpen(wxWindow*) override { ++opens; return openPath; }
    SaveChoice chooseFileToSave() override { ++saves; return {savePath, saveFilter}; }

    wxString openPath;
    wxString savePath;
    ImageFormat saveFilter = ImageFormat::Raw;
    int opens = 0;
    int saves = 0;
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "rovidada-files-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string at(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// n bytes that differ from their neighbours and repeat only every 251 bytes.
inline Bytes patternBytes(std::size_t n, unsigned seed = 0)
{
    Bytes bytes(n);
    for (std::size_t k = 0; k < n; ++k)
        bytes[k] = std::uint8_t((k * 7 + seed) % 251);
    return bytes;
}

// The first n bytes of a buffer as its hexadecimal cells hold them.
inline Bytes cellBytes(const BufferGrid& grid, std::size_t n)
{
    Bytes bytes(n);
    for (std::size_t k = 0; k < n; ++k)
        bytes[k] = grid.getByte(k);
    return bytes;
}

inline Labels pageLabels(const BufferBook& book)
{
    Labels labels;
    for (std::size_t i = 0; i < book.GetPageCount(); ++i)
        labels.push_back(book.GetPageText(i));
    return labels;
}

inline Labels comboEntries(const wxComboBox& combo)
{
    Labels entries;
    for (unsigned i = 0; i < combo.GetCount(); ++i)
        entries.push_back(combo.GetString(i));
    return entries;
}

inline void loadFile(MainFrame& frame, const std::string& path)
{
    PathChooser chooser;
    chooser.openPath = wxString::FromUTF8(path);
    ScopedFileChooser installed(chooser);
    sendMenu(frame, ID_LOAD_FILE);
}

inline void saveFile(MainFrame& frame, const std::string& path, ImageFormat filter = ImageFormat::Raw)
{
    PathChooser chooser;
    chooser.savePath = wxString::FromUTF8(path);
    chooser.saveFilter = filter;
    ScopedFileChooser installed(chooser);
    sendMenu(frame, ID_SAVE_FILE);
}

// The icon bits of a box's style (none for a plain box).
inline long iconOf(const ScriptedBoxes::Box& box) { return box.style & wxICON_MASK & ~wxICON_NONE; }
