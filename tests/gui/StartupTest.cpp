#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/statusbr.h>

#include "GuiHarness.h"
#include "app/UiText.h"
#include "buffers/NumberField.h"

TEST(Startup, WindowStartsNotConnectedWithTheModelPlaceholder)
{
    MainFrame& frame = TestApp::frame();
    EXPECT_EQ(frame.GetTitle(), uiText(texts::FRAME_TITLE));
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(3), uiText(texts::STATE_NOT_CONNECTED));
    EXPECT_EQ(frame.startField->GetValue(), "0000");
    EXPECT_EQ(frame.countField->GetValue(), "512");
    EXPECT_EQ(frame.fillField->GetValue(), "FF");
    EXPECT_EQ(frame.modelCombo->GetValue(), "Model");
    EXPECT_FALSE(frame.selectionCheck->IsEnabled());
}
