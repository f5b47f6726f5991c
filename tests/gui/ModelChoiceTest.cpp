// Choosing a model presets the start address and the byte count.
#include <wx/combobox.h>

#include "GuiHarness.h"
#include "RealInput.h"
#include "app/buffers/NumberField.h"

TEST(ModelChoice, EachModelPresetsStartAndCount)
{
    MainFrame& frame = TestApp::frame();
    const struct {
        int index;
        const char* name;
        const char* start;
        const char* count;
    } cases[] = {
        {1, "HC12B", "0D00", "768"},         {2, "HC812A4", "F000", "4096"},
        {3, "HC912Dx128x", "0800", "2048"},  {4, "HC912D60x", "0C00", "1024"},
        {5, "HC(9)12D60", "0C00", "1024"},   {6, "MC9S12DBx", "0800", "2048"},
        {7, "MC9S12DT128", "0800", "2048"},  {0, "Model", "0000", "512"},
    };
    ScriptedBoxes noBoxes; // nothing goes to the target, nothing is asked
    for (const auto& c : cases) {
        chooseComboItem(frame.modelCombo, c.index);
        EXPECT_EQ(frame.modelCombo->GetString(c.index), c.name);
        EXPECT_EQ(frame.currentModel.name, c.name);
        EXPECT_EQ(frame.startField->GetValue(), c.start) << c.name;
        EXPECT_EQ(frame.countField->GetValue(), c.count) << c.name;
    }
}

TEST(ModelChoice, ChoosingAgainRestoresTheTableValuesAfterTheFieldsWereEdited)
{
    MainFrame& frame = TestApp::frame();
    chooseComboItem(frame.modelCombo, 2);
    frame.startField->ChangeValue("1234");
    frame.countField->ChangeValue("7");
    frame.currentModel.eepromStart = 0x1234; // as a parameter query leaves it
    chooseComboItem(frame.modelCombo, 2);
    EXPECT_EQ(frame.startField->GetValue(), "F000");
    EXPECT_EQ(frame.countField->GetValue(), "4096");
    EXPECT_EQ(frame.currentModel.eepromStart, 0xF000u);
    chooseComboItem(frame.modelCombo, 0);
}

// GTK raises no event when the user chooses the model the list already shows;
// that choice restores the table's values all the same (real clicks).
TEST(ModelChoice, ChoosingTheModelShownRestoresItsValues)
{
    MainFrame& frame = TestApp::frame();
    frame.Raise();
    ComboPopup(*frame.modelCombo).choose(2);
    ASSERT_EQ(frame.startField->GetValue(), "F000");
    frame.startField->ChangeValue("1234");
    frame.countField->ChangeValue("7");
    ComboPopup(*frame.modelCombo).choose(2);
    EXPECT_EQ(frame.startField->GetValue(), "F000");
    EXPECT_EQ(frame.countField->GetValue(), "4096");
    EXPECT_EQ(frame.modelCombo->GetValue(), "HC812A4");
    chooseComboItem(frame.modelCombo, 0);
}
