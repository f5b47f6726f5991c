// "Czytaj plik": a raw image into the buffer shown. The file is read in full
// before anything changes, the size questions come before the grid is rebuilt,
// and any refusal or failure leaves the buffer exactly as it was.
#include <fcntl.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/gauge.h>
#include <wx/stopwatch.h>

#include "FileTestSupport.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"
#include "app/FileCommands.h"
#include "app/ProgressWindow.h"

namespace {

// What a user sees of the buffer shown: cells, count, start, label, list.
struct BufferView {
    Bytes cells;
    std::uint32_t count = 0;
    std::uint32_t start = 0;
    std::size_t rows = 0;
    wxString label;
    Labels entries;
    int entrySelected = 0;
    bool operator==(const BufferView&) const = default;
};

BufferView viewOf(MainFrame& frame)
{
    BufferBook& book = *frame.bufferBook;
    const BufferGrid& grid = *book.currentBuffer;
    return {cellBytes(grid, grid.capacity()), grid.byteCount, grid.startAddress, grid.capacity() / 16,
            book.GetPageText(std::size_t(book.GetSelection())), comboEntries(*frame.compareCombo),
            frame.compareCombo->GetSelection()};
}

class LoadFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.startField->SetValue("0000");
        BufferGrid* grid = frame.bufferBook->createGrid(512);
        for (std::size_t k = 0; k < 512; ++k)
            grid->setByte(k, std::uint8_t(0xA5));
    }

    MainFrame& frame = TestApp::freshFrame();
    TempFolder folder;
};

struct ResultCase {
    std::size_t bytes;
    const char* line;
};

} // namespace

TEST_F(LoadFileTest, EachSizeGivesItsResultLineAndExactlyItsBytes)
{
    const ResultCase cases[] = {
        {0, "Wczytano 0  bajtów."},      {1, "Wczytano 1  bajt."},       {2, "Wczytano 2  bajty."},
        {3, "Wczytano 3  bajty."},       {4, "Wczytano 4  bajtów."},     {10, "Wczytano 10  bajtów."},
        {100, "Wczytano 100  bajtów."},  {1024, "Wczytano 1  KB"},       {1026, "Wczytano 1.00  KB"},
        {1536, "Wczytano 1.5  KB"},      {2560, "Wczytano 2.5  KB"},     {3000, "Wczytano 2.92  KB"},
        {10240, "Wczytano 10  KB"},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.bytes);
        frame.countField->SetValue("10240"); // no size question
        const Bytes image = patternBytes(c.bytes, unsigned(c.bytes));
        writeFile(folder.at("image.bin"), image);
        loadFile(frame, folder.at("image.bin"));

        const BufferGrid& grid = *frame.bufferBook->currentBuffer;
        EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0).utf8_string(), c.line);
        EXPECT_EQ(grid.byteCount, c.bytes);
        EXPECT_EQ(frame.countField->GetValue(), wxString::Format("%zu", c.bytes));
        EXPECT_EQ(std::size_t(grid.GetNumberRows()), std::max<std::size_t>(1, (c.bytes + 15) / 16));
        EXPECT_TRUE(cellBytes(grid, c.bytes) == image);
        for (std::size_t k = c.bytes; k < grid.capacity(); ++k)
            EXPECT_TRUE(grid.isHexCellEmpty(k)) << "cell " << k << " past the file";
        EXPECT_EQ(frame.progress().gauge(), nullptr) << "the gauge stayed";
    }
}

TEST_F(LoadFileTest, TheStartAddressStaysAndThePageTakesTheFileName)
{
    sendMenu(frame, ID_NEW_BUFFER); // Buf1, shown; the list selects it
    frame.bufferBook->SetSelection(0);
    processPendingEvents();
    frame.startField->SetValue("0800");
    frame.countField->SetValue("512");
    writeFile(folder.at("eeprom.bin"), patternBytes(20));
    loadFile(frame, folder.at("eeprom.bin"));

    EXPECT_EQ(frame.bufferBook->currentBuffer->startAddress, 0x800u);
    EXPECT_EQ(frame.startField->GetValue(), "0800");
    EXPECT_EQ(frame.bufferBook->currentBuffer->GetRowLabelValue(1), "0810");
    EXPECT_EQ(pageLabels(*frame.bufferBook), (Labels{"eeprom.bin", "Buf1"}));
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"eeprom.bin", "Buf1"}));
    // The list's selection moves on by one; from the last entry it moves off the list.
    EXPECT_EQ(frame.compareCombo->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(frame.compareCombo->GetValue(), "Buf1");
    frame.compareCombo->SetSelection(0);
    writeFile(folder.at("second.bin"), patternBytes(20));
    loadFile(frame, folder.at("second.bin"));
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"second.bin", "Buf1"}));
    EXPECT_EQ(frame.compareCombo->GetSelection(), 1);
    EXPECT_EQ(frame.compareCombo->GetValue(), "Buf1");
    // With no entry selected, the first one is.
    frame.compareCombo->SetSelection(wxNOT_FOUND);
    loadFile(frame, folder.at("eeprom.bin"));
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"eeprom.bin", "Buf1"}));
    EXPECT_EQ(frame.compareCombo->GetSelection(), 0);
}

TEST_F(LoadFileTest, TheListShowsTheFileNameInPlaceOfThePagesOldLabel)
{
    writeFile(folder.at("eeprom.bin"), patternBytes(20));
    loadFile(frame, folder.at("eeprom.bin"));
    EXPECT_EQ(comboEntries(*frame.compareCombo), Labels{"eeprom.bin"});
    EXPECT_EQ(frame.compareCombo->GetSelection(), wxNOT_FOUND); // moved off the last entry
    EXPECT_EQ(frame.compareCombo->GetValue(), "eeprom.bin");
}

struct QuestionCase {
    const char* name;
    const char* bufferCount;
    std::size_t fileBytes;
    std::vector<int> answers; // one per question expected
    bool loaded;
};

TEST_F(LoadFileTest, ALargerFileIsLoadedOnlyWhenTheUserAgrees)
{
    const QuestionCase cases[] = {
        {"as large as the buffer", "512", 512, {}, true},
        {"one question", "512", 600, {wxID_YES}, true},
        {"two questions", "512", 70000, {wxID_YES, wxID_YES}, true},
        {"a buffer that holds it", "70000", 70000, {}, true},
        {"No to the first", "512", 600, {wxID_NO}, false},
        {"No to the second", "512", 70000, {wxID_YES, wxID_NO}, false},
    };
    for (const QuestionCase& c : cases) {
        SCOPED_TRACE(c.name);
        frame.countField->SetValue(c.bufferCount);
        const Bytes image = patternBytes(c.fileBytes, 3);
        writeFile(folder.at("big.bin"), image);
        const BufferView before = viewOf(frame);
        {
            ScriptedBoxes boxes;
            const Text questions[] = {texts::FILE_LARGER_THAN_BUFFER, texts::FILE_VERY_LARGE};
            for (std::size_t i = 0; i < c.answers.size(); ++i)
                boxes.expect(c.answers[i], questions[i]);
            loadFile(frame, folder.at("big.bin"));
            for (const ScriptedBoxes::Box& box : boxes.shown()) {
                EXPECT_EQ(box.caption, uiText(texts::CAPTION_WARNING));
                EXPECT_EQ(iconOf(box), wxICON_QUESTION);
                EXPECT_TRUE(box.style & wxYES_NO);
                EXPECT_EQ(box.buttons, (std::vector<wxString>{"Tak", "Nie"})) << "whatever the system's language";
            }
        }
        if (c.loaded) {
            EXPECT_EQ(frame.bufferBook->currentBuffer->byteCount, c.fileBytes);
            EXPECT_TRUE(cellBytes(*frame.bufferBook->currentBuffer, c.fileBytes) == image);
        } else {
            EXPECT_TRUE(viewOf(frame) == before) << "a No changed the buffer";
        }
        // Back to the page's first name for the next case.
        frame.bufferBook->renameCurrentPage("Buf0");
        frame.compareCombo->SetString(0, "Buf0");
    }
}

TEST_F(LoadFileTest, AFileThatCannotBeReadInFullLeavesTheBufferAsItWas)
{
    std::filesystem::create_directory(folder.at("folder"));
    writeFile(folder.at("shrinks.bin"), patternBytes(300));
    // A sparse file of ten million bytes: one more than the count field shows.
    {
        const int fd = ::open(folder.at("huge.bin").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 10'000'000), 0);
        ::close(fd);
    }
    struct FailureCase {
        const char* file;
        Text message;
        Text reason; // the system's reason on a second line, when it gave one
    };
    const FailureCase cases[] = {
        {"missing.bin", texts::FILE_CANNOT_OPEN, texts::FILE_REASON_NO_FILE},
        {"folder", texts::FILE_CANNOT_OPEN, texts::FILE_REASON_IS_FOLDER},
        {"shrinks.bin", texts::FILE_CANNOT_OPEN, {}},
        {"huge.bin", texts::FILE_TOO_LARGE, {}},
    };
    // Another program cuts the file to 10 bytes after its size was taken.
    const std::string shrinking = folder.at("shrinks.bin");
    ScopedLoadHook shrink([&](int) { ASSERT_EQ(::truncate(shrinking.c_str(), 10), 0); });
    frame.GetStatusBar()->SetStatusText("earlier", 0);
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.file);
        const BufferView before = viewOf(frame);
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, c.reason.empty() ? uiText(c.message) : uiText(c.message) + "\n" + uiText(c.reason));
        loadFile(frame, folder.at(c.file));
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, uiText(texts::CAPTION_ERROR));
        EXPECT_EQ(iconOf(boxes.shown()[0]), wxICON_ERROR);
        EXPECT_TRUE(viewOf(frame) == before);
        EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "earlier");
    }
}

TEST_F(LoadFileTest, CancellingChangesNothing)
{
    const BufferView before = viewOf(frame);
    ScriptedBoxes noBoxes;
    loadFile(frame, "");
    EXPECT_TRUE(viewOf(frame) == before);
}

// A rebuilt grid with a scroll bar is drawn and then left alone: a theme that
// fades the new scroll bar in had GTK repaint every cell some nine times.
TEST_F(LoadFileTest, ALoadedImageIsDrawnOnceNotFadedIn)
{
    frame.countField->SetValue("65536");
    writeFile(folder.at("image.bin"), patternBytes(65536));
    PaintCounter paints(isGridCells); // through a filter: the load replaces the grid window
    loadFile(frame, folder.at("image.bin"));
    const wxStopWatch watch;
    while (watch.Time() < 600) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    EXPECT_GE(paints.count, 1);
    EXPECT_LE(paints.count, 3);
}
