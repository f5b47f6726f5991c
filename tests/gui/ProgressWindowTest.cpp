// The gauge over status field 2: where it sits, its range, and when it goes.
#include <wx/gauge.h>
#include <wx/statusbr.h>

#include "GuiHarness.h"
#include "app/ProgressWindow.h"

namespace {

class ProgressWindowTest : public testing::Test {
protected:
    // Field 2's rectangle made exactly 200 pixels wide (GTK keeps a border
    // inside the width that is set).
    void SetUp() override
    {
        setField2Width(200);
        wxRect field;
        statusBar.GetFieldRect(2, field);
        setField2Width(200 + 200 - field.width);
    }
    void setField2Width(int width)
    {
        const int widths[] = {-1, -1, width, -1};
        statusBar.SetStatusWidths(4, widths);
    }
    void TearDown() override { statusBar.SetStatusWidths(4, nullptr); }

    wxStatusBar& statusBar = *TestApp::frame().GetStatusBar();
};

} // namespace

TEST_F(ProgressWindowTest, GaugeCoversField2WithHalfItsWidthAsRange)
{
    ProgressWindow progress(statusBar);
    progress.progressStart(1000);
    ASSERT_NE(progress.gauge(), nullptr);
    wxRect field;
    statusBar.GetFieldRect(2, field);
    EXPECT_EQ(field.width, 200);
    EXPECT_EQ(progress.gauge()->GetRect(), field);
    EXPECT_EQ(progress.gauge()->GetRange(), 100);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(progress.gauge()->GetValue(), 0);
        progress.progressStep();
    }
    EXPECT_EQ(progress.gauge()->GetValue(), 1);
    progress.progressFinish();
    EXPECT_EQ(progress.gauge(), nullptr);
}

TEST_F(ProgressWindowTest, RangeIsTakenOnceEvenAfterTheFieldChanges)
{
    ProgressWindow progress(statusBar);
    progress.progressStart(10);
    setField2Width(300);
    progress.progressStart(10); // replaces the gauge
    ASSERT_NE(progress.gauge(), nullptr);
    EXPECT_EQ(progress.gauge()->GetRange(), 100);
    progress.progressFinish();
}

TEST_F(ProgressWindowTest, TheLastStepRemovesTheGaugeAndLaterStepsDoNothing)
{
    ProgressWindow progress(statusBar);
    progress.progressStart(1);
    ASSERT_NE(progress.gauge(), nullptr);
    progress.progressStep();
    EXPECT_EQ(progress.gauge(), nullptr);
    progress.progressStep();
    progress.progressFinish();
    EXPECT_EQ(progress.gauge(), nullptr);
}

TEST_F(ProgressWindowTest, TotalZeroShowsNothing)
{
    ProgressWindow progress(statusBar);
    progress.progressStart(0);
    progress.progressStep();
    EXPECT_EQ(progress.gauge(), nullptr);
    progress.progressFinish();
    EXPECT_EQ(progress.gauge(), nullptr);
}

TEST_F(ProgressWindowTest, TheWindowHasOneGaugeForItsOperations)
{
    MainFrame& frame = TestApp::frame();
    EXPECT_EQ(&frame.progress(), &frame.progress());
    frame.progress().progressStart(2);
    EXPECT_NE(frame.progress().gauge(), nullptr);
    frame.progress().progressFinish();
    EXPECT_EQ(frame.progress().gauge(), nullptr);
}
