// S-record and Intel HEX files through the window: the dialogs offer them, a
// file with gaps lands at its addresses with empty cells between, a broken one
// is refused with its line, and a save takes its format from the filter or
// the name.
#include <wx/filedlg.h>
#include <wx/statusbr.h>

#include "FileTestSupport.h"
#include "RecordTestSupport.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"
#include "images/IntelHex.h"
#include "images/SRecord.h"

namespace {

// Bytes 01 02 03 at 0803 and 06 at 0820, with the S0 text "hdr".
const char* const S_RECORDS_WITH_GAPS = "S0060000686472BB\nS1060803010203E8\nS104082006CD\nS9030000FC\n";
const char* const INTEL_HEX_WITH_GAPS = ":03080300010203EC\n:0108200006D1\n:00000001FF\n";

void writeText(const std::string& path, const std::string& text) { writeFile(path, Bytes(text.begin(), text.end())); }

std::string textOf(const std::string& path)
{
    const Bytes bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

class AddressedFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.startField->SetValue("0000");
        frame.countField->SetValue("512");
        frame.bufferBook->createGrid(512);
    }

    MainFrame& frame = TestApp::freshFrame();
    TempFolder folder;
};

} // namespace

TEST_F(AddressedFileTest, TheDialogsOfferBothFormatsAfterTheirFirstFilter)
{
    const auto open = makeOpenDialog(&frame);
    EXPECT_EQ(open->GetMessage(), uiText(texts::FILE_CHOOSE));
    EXPECT_EQ(open->GetWildcard(), uiText(texts::FILTER_ALL_FILES) + "|" + uiText(texts::FILTER_SRECORD) + "|" +
                                       uiText(texts::FILTER_INTEL_HEX));
    EXPECT_EQ(open->GetFilterIndex(), 0);

    const auto save = makeSaveDialog();
    EXPECT_EQ(save->GetMessage(), uiText(texts::FILE_CHOOSE));
    EXPECT_EQ(save->GetWildcard(), uiText(texts::FILTER_RAW) + "|" + uiText(texts::FILTER_SRECORD) + "|" +
                                       uiText(texts::FILTER_INTEL_HEX));
    EXPECT_EQ(save->GetFilterIndex(), 0) << "raw binary stays the default";
    EXPECT_TRUE(save->HasFlag(wxFD_OVERWRITE_PROMPT));
    EXPECT_EQ(saveFilterFormat(0), ImageFormat::Raw);
    EXPECT_EQ(saveFilterFormat(1), ImageFormat::SRecord);
    EXPECT_EQ(saveFilterFormat(2), ImageFormat::IntelHex);
}

TEST_F(AddressedFileTest, AFileWithGapsLandsAtItsAddressesWithEmptyCellsBetween)
{
    const struct {
        const char* name;
        const char* text;
    } files[] = {{"image.s19", S_RECORDS_WITH_GAPS}, {"image.hex", INTEL_HEX_WITH_GAPS}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        writeText(folder.at(f.name), f.text);
        {
            ScriptedBoxes noBoxes;
            loadFile(frame, folder.at(f.name));
        }
        const BufferGrid& grid = *frame.bufferBook->currentBuffer;
        EXPECT_EQ(grid.startAddress, 0x0800u) << "the lowest address, rounded down to a row";
        EXPECT_EQ(frame.startField->GetValue(), "0800");
        EXPECT_EQ(grid.byteCount, 0x21u) << "from 0800 to the last byte at 0820";
        EXPECT_EQ(frame.countField->GetValue(), "33");
        EXPECT_EQ(grid.GetRowLabelValue(2), "0820");
        for (std::size_t k = 0; k < grid.capacity(); ++k) {
            const bool given = (k >= 3 && k <= 5) || k == 0x20;
            EXPECT_EQ(grid.isHexCellEmpty(k), !given) << "cell " << k;
        }
        EXPECT_TRUE(cellBytes(grid, 6) == (Bytes{0, 0, 0, 1, 2, 3}));
        EXPECT_EQ(grid.getByte(0x20), 6);
        EXPECT_EQ(frame.bufferBook->GetPageText(0), f.name);

        wxStatusBar& statusBar = *frame.GetStatusBar();
        EXPECT_EQ(statusBar.GetStatusText(0), wxString::FromUTF8("Wczytano 4  bajtów."));
        EXPECT_EQ(statusBar.GetStatusText(1), wxString::FromUTF8("Adresy 0803–0820"));
        for (int i : {0, 1}) {
            wxRect field;
            statusBar.GetFieldRect(i, field);
            EXPECT_LT(statusBar.GetTextExtent(statusBar.GetStatusText(i)).x, field.width) << "field " << i << " cut off";
        }
    }
}

TEST_F(AddressedFileTest, ABrokenFileNamesItsLineAndLeavesTheBuffer)
{
    writeText(folder.at("broken.s19"), "S0060000686472BB\nS1060803010203E9\n");
    BufferGrid* before = frame.bufferBook->currentBuffer;
    frame.GetStatusBar()->SetStatusText("earlier", 0);
    ScriptedBoxes boxes;
    boxes.expect(wxID_OK, wxString::FromUTF8("Błąd w pliku S-record, nic nie wczytano:\n"
                                             "Wiersz 2: zła suma kontrolna (jest E9, powinna być E8)."));
    loadFile(frame, folder.at("broken.s19"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, uiText(texts::CAPTION_ERROR));
    EXPECT_EQ(iconOf(boxes.shown()[0]), wxICON_ERROR);
    EXPECT_EQ(frame.bufferBook->currentBuffer, before) << "the grid was rebuilt";
    EXPECT_EQ(frame.bufferBook->GetPageText(0), "Buf0");
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "earlier");
}

TEST_F(AddressedFileTest, TheNameOrElseTheFilterChoosesTheSavedFormat)
{
    writeText(folder.at("in.s19"), S_RECORDS_WITH_GAPS);
    loadFile(frame, folder.at("in.s19"));
    frame.bufferBook->currentBuffer->setByte(0x10, 0x7E); // an edit between the two runs

    const struct {
        const char* name;
        ImageFormat filter;
        ImageFormat saved;
    } cases[] = {
        {"out", ImageFormat::SRecord, ImageFormat::SRecord},   {"out", ImageFormat::IntelHex, ImageFormat::IntelHex},
        {"out", ImageFormat::Raw, ImageFormat::Raw},           {"out.S19", ImageFormat::Raw, ImageFormat::SRecord},
        {"out.ihx", ImageFormat::SRecord, ImageFormat::IntelHex}, {"out.bin", ImageFormat::IntelHex, ImageFormat::Raw},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " with filter " + std::to_string(int(c.filter)));
        const std::string path = folder.at(c.name);
        {
            ScriptedBoxes noBoxes;
            saveFile(frame, path, c.filter);
        }
        const std::string text = textOf(path);
        const AddressBytes expected = {{0x0803, 1}, {0x0804, 2}, {0x0805, 3}, {0x0810, 0x7E}, {0x0820, 6}};
        switch (c.saved) {
        case ImageFormat::SRecord:
            EXPECT_TRUE(givenBytes(readSRecords(text).image) == expected);
            EXPECT_EQ(readSRecords(text).image.header, "hdr") << "the loaded file's S0 text goes back";
            break;
        case ImageFormat::IntelHex:
            EXPECT_TRUE(givenBytes(readIntelHex(text).image) == expected);
            break;
        case ImageFormat::Raw:
            EXPECT_TRUE(readFile(path) == (Bytes{0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7E, 0, 0, 0, 0, 0,
                                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6}));
            break;
        }
        std::filesystem::remove(path);
    }
}

TEST_F(AddressedFileTest, ABufferWithoutAFileGetsTheProgramsNameAndOneBeyondFFFFIsRefused)
{
    frame.startField->SetValue("FFF0");
    frame.countField->SetValue("16");
    BufferGrid* grid = frame.bufferBook->createGrid(16);
    grid->setByte(15, 0xAA);
    saveFile(frame, folder.at("top.s19"));
    EXPECT_TRUE(textOf(folder.at("top.s19")).starts_with("S0140000526F7669646164612044453132"))
        << "the S0 text is the window's title";

    frame.countField->SetValue("17");
    grid->setByte(16, 0xBB); // at 10000
    ScriptedBoxes boxes;
    boxes.expect(wxID_OK, texts::SAVE_BEYOND_ADDRESS_SPACE);
    saveFile(frame, folder.at("beyond.hex"));
    EXPECT_FALSE(std::filesystem::exists(folder.at("beyond.hex")));
}
