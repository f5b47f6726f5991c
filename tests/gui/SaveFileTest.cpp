// "Zapisz do pliku": exactly byteCount bytes of the buffer shown, each the
// value of its hexadecimal cell; success is silent, and a save that fails says
// so and leaves any old file byte for byte.
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"

namespace {

// A file-size limit that lets the first bytes out and refuses the rest, as a
// full disk would; with SIGXFSZ ignored the refusal comes back as an error
// instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    struct rlimit previous_ {};
    void (*previousHandler_)(int) = nullptr;
};

class SaveFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.startField->SetValue("0000");
        grid = frame.bufferBook->createGrid(512);
    }

    // Saving must fail with the plain error box and leave `old` in place.
    void expectFailedSaveKeeps(const std::string& path, const Bytes& old, Text reason)
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, uiText(texts::FILE_CANNOT_OPEN) + "\n" + uiText(reason));
        saveFile(frame, path);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, uiText(texts::CAPTION_ERROR));
        EXPECT_EQ(iconOf(boxes.shown()[0]), 0) << "saving shows no icon";
        EXPECT_TRUE(readFile(path) == old);
    }

    MainFrame& frame = TestApp::freshFrame();
    BufferGrid* grid = nullptr;
    TempFolder folder;
};

} // namespace

TEST_F(SaveFileTest, TheFileHoldsExactlyTheCountedCells)
{
    const Bytes image = patternBytes(512, 9);
    for (std::size_t k = 0; k < image.size(); ++k)
        grid->setByte(k, image[k]);
    struct CountCase {
        const char* count;
        std::size_t bytes;
    };
    for (const CountCase& c : {CountCase{"512", 512}, CountCase{"20", 20}, CountCase{"0", 0}}) {
        SCOPED_TRACE(c.count);
        frame.countField->SetValue(c.count);
        ScriptedBoxes noBoxes; // success is silent
        saveFile(frame, folder.at("out.bin"));
        EXPECT_TRUE(readFile(folder.at("out.bin")) == Bytes(image.begin(), image.begin() + long(c.bytes)));
    }
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}

TEST_F(SaveFileTest, EmptyAndLongCellsSaveAsTheirByteValue)
{
    frame.countField->SetValue("4");
    grid = frame.bufferBook->createGrid(4);
    grid->SetCellValue(0, 0, "1FF"); // left so by editing
    grid->setByte(1, 0x7E);
    // Cells 2 and 3 stay empty.
    saveFile(frame, folder.at("cells.bin"));
    EXPECT_TRUE(readFile(folder.at("cells.bin")) == (Bytes{0xFF, 0x7E, 0x00, 0x00}));
}

TEST_F(SaveFileTest, ASavedBufferLoadsIntoAnotherPageWithTheSameCells)
{
    const Bytes image = patternBytes(300, 1);
    frame.countField->SetValue("300");
    for (std::size_t k = 0; k < image.size(); ++k)
        grid->setByte(k, image[k]);
    saveFile(frame, folder.at("round.bin"));

    sendMenu(frame, ID_NEW_BUFFER);
    frame.startField->SetValue("1234");
    loadFile(frame, folder.at("round.bin"));
    const BufferGrid& loaded = *frame.bufferBook->currentBuffer;
    EXPECT_NE(&loaded, grid);
    EXPECT_EQ(loaded.byteCount, 300u);
    EXPECT_EQ(loaded.startAddress, 0x1234u);
    for (std::size_t k = 0; k < loaded.capacity(); ++k)
        EXPECT_EQ(loaded.hexCellText(k), grid->hexCellText(k)) << "cell " << k;
}

TEST_F(SaveFileTest, CancellingWritesNothing)
{
    ScriptedBoxes noBoxes;
    saveFile(frame, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(SaveFileTest, AFolderThatIsGoneGetsTheBox)
{
    expectFailedSaveKeeps(folder.at("gone/out.bin"), Bytes{}, texts::FILE_REASON_NO_FILE);
    EXPECT_FALSE(std::filesystem::exists(folder.at("gone")));
}

TEST_F(SaveFileTest, AFolderThatTakesNoNewFileKeepsTheOldOne)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    const Bytes old = patternBytes(50, 4);
    writeFile(folder.at("old.bin"), old);
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0555));
    expectFailedSaveKeeps(folder.at("old.bin"), old, texts::FILE_REASON_NO_PERMISSION);
}

TEST_F(SaveFileTest, AWriteThatFailsPartWayKeepsTheOldFile)
{
    const Bytes old = patternBytes(50, 4);
    writeFile(folder.at("old.bin"), old);
    for (std::size_t k = 0; k < 512; ++k)
        grid->setByte(k, 0x11);
    {
        FileSizeLimit limit(100);
        expectFailedSaveKeeps(folder.at("old.bin"), old, texts::FILE_REASON_TOO_LARGE); // EFBIG, as a full disk gives ENOSPC
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "a temporary file was left";
}
