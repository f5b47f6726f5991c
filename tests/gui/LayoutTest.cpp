// Where the controls end up once GTK has styled them, and how the window
// resizes: the fixed positions, the labels placed from their fields, nothing
// past the window's 705 pixels, and the notebook following the height.
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "GuiHarness.h"
#include "app/ToolBarPanel.h"
#include "app/WindowGeometry.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/NumberField.h"

namespace {

wxWindow* toolBarChildLabelled(MainFrame& frame, const char* label)
{
    for (wxWindow* child : frame.toolBarPanel()->GetChildren())
        if (child->GetLabel() == wxString::FromUTF8(label))
            return child;
    return nullptr;
}

wxRect onToolBar(MainFrame& frame, wxWindow* control)
{
    return wxRect(positionIn(control, frame.GetToolBar()), control->GetSize());
}

// The client height the window's resize rule works with: tool bar and status
// bar included.
int ruleHeight(MainFrame& frame)
{
    return frame.GetClientSize().y + frame.GetToolBar()->GetSize().y + frame.GetStatusBar()->GetSize().y;
}

void resizeTo(MainFrame& frame, int width, int height)
{
    frame.SetSize(width, height);
    // GTK lays children out on its frame clock, a few milliseconds later.
    for (int i = 0; i < 20; ++i) {
        processPendingEvents();
        wxMilliSleep(5);
    }
}

} // namespace

TEST(Layout, WindowGeometryAndSizeHints)
{
    MainFrame& frame = TestApp::frame();
    EXPECT_EQ(frame.GetPosition(), wxPoint(100, 20));
    EXPECT_EQ(frame.GetSize(), wxSize(705, 660));
    EXPECT_EQ(frame.GetMinSize(), wxSize(705, 486));
    EXPECT_EQ(frame.GetMaxSize(), wxSize(705, 900));
}

TEST(Layout, ToolBarControlsSitAtTheirPlacesFromTheToolsOrigin)
{
    MainFrame& frame = TestApp::frame();
    wxToolBar* toolBar = frame.GetToolBar();
    const int t = frame.toolsOrigin();
    // With the compact style a tool button is 23 pixels wide.
    EXPECT_EQ(t, 73);
    EXPECT_LE(toolBar->GetSize().y, 28);

    const struct {
        wxWindow* control;
        wxPoint at;
    } placed[] = {
        {frame.startField, {t + 250, 5}}, {frame.countField, {t + 350, 5}}, {frame.fillField, {t + 100, 5}},
        {frame.modelCombo, {t + 410, 3}}, {frame.crystalCombo, {t + 540, 4}},
    };
    for (const auto& p : placed)
        EXPECT_EQ(onToolBar(frame, p.control).GetPosition(), p.at) << p.control->GetName();
    EXPECT_EQ(frame.startField->GetSize(), wxSize(50, 17));
    EXPECT_EQ(frame.countField->GetSize(), wxSize(50, 17));
    EXPECT_EQ(frame.fillField->GetSize(), wxSize(25, 17));

    wxWindow* fill = toolBarChildLabelled(frame, "Wypełnij");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(onToolBar(frame, fill), wxRect(t + 130, 4, 50, 20));
}

TEST(Layout, LabelsEndTwoPixelsLeftOfTheirFields)
{
    MainFrame& frame = TestApp::frame();
    const wxRect start = onToolBar(frame, frame.startField);
    const wxRect count = onToolBar(frame, frame.countField);
    wxWindow* startLabel = toolBarChildLabelled(frame, "Poczatek:");
    wxWindow* countLabel = toolBarChildLabelled(frame, "Ile:");
    wxWindow* hexMark = toolBarChildLabelled(frame, "H");
    ASSERT_TRUE(startLabel && countLabel && hexMark);

    const wxRect startText = onToolBar(frame, startLabel);
    const wxRect countText = onToolBar(frame, countLabel);
    EXPECT_EQ(startText.GetRight() + 1, start.x - 2);
    EXPECT_EQ(countText.GetRight() + 1, count.x - 2);
    EXPECT_EQ(onToolBar(frame, hexMark).x, start.GetRight() + 1 + 2);
    for (wxWindow* label : {startLabel, countLabel, hexMark}) {
        EXPECT_EQ(onToolBar(frame, label).y, 7);
        EXPECT_EQ(label->GetSize(), label->GetBestSize()) << label->GetLabel();
    }
}

TEST(Layout, NothingOverlapsOrRunsPastTheWindow)
{
    MainFrame& frame = TestApp::frame();
    wxToolBar* toolBar = frame.GetToolBar();
    std::vector<wxRect> toolBarRects;
    for (wxWindow* child : frame.toolBarPanel()->GetChildren()) {
        const wxRect r = onToolBar(frame, child);
        EXPECT_LE(r.GetRight() + 1, 705) << child->GetLabel();
        EXPECT_LE(r.GetBottom() + 1, toolBar->GetSize().y) << child->GetLabel();
        EXPECT_GE(r.x, frame.toolBarPanel()->GetPosition().x);
        for (const wxRect& other : toolBarRects)
            EXPECT_FALSE(r.Intersects(other)) << child->GetLabel();
        toolBarRects.push_back(r);
    }
    const int panelWidth = frame.sidePanel->GetClientSize().x;
    for (wxWindow* child : frame.sidePanel->GetChildren()) {
        if (dynamic_cast<wxStaticBox*>(child))
            continue;
        EXPECT_LE(child->GetRect().GetRight() + 1, panelWidth) << child->GetClassInfo()->GetClassName();
    }
}

TEST(Layout, SidePanelFollowsTheButtonsRealSizes)
{
    MainFrame& frame = TestApp::frame();
    EXPECT_EQ(frame.connectButton->GetPosition(), wxPoint(607, 20));
    EXPECT_EQ(frame.readButton->GetPosition(), wxPoint(607, 135));
    EXPECT_EQ(frame.writeButton->GetPosition(), wxPoint(607, 255));
    EXPECT_EQ(frame.connectButton->GetSize(), wxSize(84, 44));

    const wxRect write = frame.writeButton->GetRect();
    const wxRect check = frame.selectionCheck->GetRect();
    EXPECT_EQ(check.GetPosition(), wxPoint(write.x + 3, write.GetBottom() + 1 + 1));
    EXPECT_EQ(frame.compareCombo->GetPosition(), wxPoint(check.x + 2, check.GetBottom() + 1 + 47));
    EXPECT_EQ(frame.compareCombo->GetSize().x, 87);
    EXPECT_LE(frame.compareCombo->GetSize().y, 19);

    std::vector<wxRect> boxes;
    wxStaticBitmap* picture = nullptr;
    for (wxWindow* child : frame.sidePanel->GetChildren()) {
        if (dynamic_cast<wxStaticBox*>(child))
            boxes.push_back(child->GetRect());
        if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(child))
            picture = bitmap;
    }
    const wxRect read = frame.readButton->GetRect();
    const wxRect connect = frame.connectButton->GetRect();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], wxRect(read.x, read.y - 9, 90, 194));
    EXPECT_EQ(boxes[1], wxRect(connect.x, connect.y - 7, 92, connect.height + 12));
    EXPECT_EQ(boxes[2], wxRect(check.x, check.GetBottom() + 1 + 30, 90, 40));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetRect(), wxRect(frame.compareCombo->GetPosition() + wxPoint(0, 30), wxSize(87, 178)));
}

TEST(Layout, HeightChangesWithinItsLimitsAndTheWidthNever)
{
    MainFrame& frame = TestApp::frame();
    const struct {
        wxSize asked;
        wxSize got;
    } cases[] = {
        {{705, 700}, {705, 700}}, {{705, 300}, {705, 486}}, {{705, 2000}, {705, 900}},
        {{900, 600}, {705, 600}}, {{500, 600}, {705, 600}}, {{705, 660}, {705, 660}},
    };
    for (const auto& c : cases) {
        resizeTo(frame, c.asked.x, c.asked.y);
        EXPECT_EQ(frame.GetSize(), c.got) << c.asked.x << "x" << c.asked.y;
    }
}

TEST(Layout, PageAreaIsTheHeightLess116)
{
    MainFrame& frame = TestApp::frame();
    for (int height : {600, 800, 486, 660}) {
        resizeTo(frame, 705, height);
        wxWindow* page = frame.bufferBook->GetCurrentPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetSize().y, ruleHeight(frame) - 116) << height << " book " << frame.bufferBook->GetSize().y << " panel " << frame.sidePanel->GetSize().y << " frame " << frame.GetSize().y << " client " << frame.GetClientSize().y;
    }
}
