// Memory that runs out while a buffer grows (a large count, "Nowy bufor", a
// load, a read): one box in Polish, and every buffer as it was. The heap's
// refusal is played by the byte store's growth limit.
#include <cstdint>

#include <wx/bmpbuttn.h>

#include "FileTestSupport.h"
#include "TargetSupport.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"
#include "store/ByteStore.h"

namespace {

// Growth beyond `cells` fails for as long as the object lives.
class GrowthLimit {
public:
    explicit GrowthLimit(std::size_t cells) { ByteStore::limitGrowthForTests(cells); }
    ~GrowthLimit() { ByteStore::limitGrowthForTests(SIZE_MAX); }
};

// What a user sees of every buffer: labels, list, the shown page, and each
// buffer's count, start, rows and bytes.
struct BookView {
    Labels labels;
    Labels entries;
    int shown = 0;
    std::vector<std::uint32_t> counts;
    std::vector<std::size_t> capacities;
    std::vector<Bytes> cells;
    wxString countField;
    bool operator==(const BookView&) const = default;
};

void PrintTo(const BookView& view, std::ostream* out)
{
    for (std::size_t i = 0; i < view.labels.size(); ++i)
        *out << view.labels[i] << ": " << view.counts.at(i) << " bytes, " << view.capacities.at(i) << " cells; ";
    *out << view.entries.size() << " entries, page " << view.shown << " shown, count field " << view.countField;
}

BookView viewOf(MainFrame& frame)
{
    BufferBook& book = *frame.bufferBook;
    BookView view{pageLabels(book), comboEntries(*frame.compareCombo), book.GetSelection(), {}, {}, {},
                  frame.countField->GetValue()};
    for (std::size_t i = 0; i < book.GetPageCount(); ++i) {
        const BufferGrid& grid = *book.grid(int(i));
        view.counts.push_back(grid.byteCount);
        view.capacities.push_back(grid.capacity());
        view.cells.push_back(cellBytes(grid, grid.capacity()));
    }
    return view;
}

// Two pages with bytes in them; Buf1 (256 bytes) shown.
void twoFilledPages(MainFrame& frame)
{
    frame.countField->SetValue("512");
    frame.bufferBook->currentBuffer->setByte(3, 0x33);
    sendMenu(frame, ID_NEW_BUFFER);
    frame.countField->SetValue("256");
    frame.bufferBook->currentBuffer->setByte(7, 0x77);
}

} // namespace

TEST(OutOfMemory, ALargeCountANewBufferAndALoadAreRefusedWithEveryBufferKept)
{
    MainFrame& frame = TestApp::freshFrame();
    TempFolder folder;
    writeFile(folder.at("big.bin"), patternBytes(4000));
    twoFilledPages(frame);
    const BookView before = viewOf(frame);

    GrowthLimit limit(200); // less than either page holds
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::BUFFER_NO_MEMORY);
        frame.countField->SetValue("9999999");
        EXPECT_EQ(iconOf(boxes.shown().at(0)), wxICON_ERROR);
    }
    EXPECT_EQ(viewOf(frame), before) << "the count field shows the buffer's count again";
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::BUFFER_NO_MEMORY);
        sendMenu(frame, ID_NEW_BUFFER);
    }
    EXPECT_EQ(viewOf(frame), before) << "no page added";
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_YES).expect(wxID_OK, texts::BUFFER_NO_MEMORY); // larger than the buffer: loaded anyway
        loadFile(frame, folder.at("big.bin"));
    }
    EXPECT_EQ(viewOf(frame), before) << "the page keeps its name and bytes";
}

TEST(OutOfMemory, AReadWhoseGridCannotBeMadeSendsNothingAndKeepsTheBuffer)
{
    auto [frame, board] = connectFreshBoard("HC912Dx128x", 16, "16MHz");
    frame.countField->SetValue("512");
    frame.bufferBook->currentBuffer->setByte(0, 0x42);
    const BookView before = viewOf(frame);
    const std::size_t traceBefore = board->trace().entries().size();

    GrowthLimit limit(16);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::BUFFER_NO_MEMORY);
        clickButton(frame.readButton);
    }
    EXPECT_EQ(viewOf(frame), before);
    EXPECT_EQ(board->trace().entries().size(), traceBefore);
    EXPECT_TRUE(frame.readButton->IsEnabled()) << "still connected";
}
