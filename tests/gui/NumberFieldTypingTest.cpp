// Typing into the real number fields: the text event runs the editing rule,
// the caret comes back where it was, and the start and count fields keep
// their cleaned text.
#include <wx/uiaction.h>

#include "GuiHarness.h"
#include "app/buffers/NumberField.h"

namespace {

// Types `text` at `caret` the way a key press inserts it: through the
// control, so that GTK raises the text-changed event.
void typeAt(NumberField* field, const wxString& start, long caret, const wxString& text)
{
    field->SetFocus();
    field->ChangeValue(start);
    field->SetInsertionPoint(caret);
    field->WriteText(text);
    processPendingEvents();
}

} // namespace

TEST(NumberFieldTyping, TheRuleRunsOnEveryKeystroke)
{
    MainFrame& frame = TestApp::frame();
    const struct {
        const char* what;
        NumberField* field;
        const char* start;
        long caret;
        const char* typed;
        const char* shown;
        long caretAfter;
    } cases[] = {
        {"1 at the end of 0800", frame.startField, "0800", 4, "1", "0801", 4},
        {"F after the first character", frame.startField, "0800", 1, "F", "0F00", 2},
        {"lower-case hex", frame.startField, "0800", 4, "a", "080A", 4},
        {"x into the count field", frame.countField, "512", 3, "x", "512", 3},
        {"x inside the count field", frame.countField, "512", 1, "x", "512", 2},
        {"ff into the fill field", frame.fillField, "", 0, "ff", "FF", 2},
        {"f at the end of a full fill field", frame.fillField, "FF", 2, "0", "F0", 2},
    };
    for (const auto& c : cases) {
        typeAt(c.field, c.start, c.caret, c.typed);
        EXPECT_EQ(c.field->GetValue(), c.shown) << c.what;
        EXPECT_EQ(c.field->GetInsertionPoint(), c.caretAfter) << c.what;
    }
    // Leave the fields as start-up has them.
    typeAt(frame.fillField, "", 0, "FF");
    frame.startField->SetValue("0000");
    frame.countField->SetValue("512");
}

TEST(NumberFieldTyping, PastingIntoAFullFieldKeepsTheLimit)
{
    MainFrame& frame = TestApp::frame();
    typeAt(frame.countField, "512", 3, "99999999");
    EXPECT_EQ(frame.countField->GetValue().length(), 7u);
    EXPECT_EQ(frame.countField->GetValue(), "5129999");
    frame.countField->SetValue("512");
}

// The same through real key presses (XTest), which is how GTK reports the
// caret of a typed character.
TEST(NumberFieldTyping, RealKeyPresses)
{
    MainFrame& frame = TestApp::frame();
    frame.Raise();
    frame.startField->SetFocus();
    for (int i = 0; i < 20 && wxWindow::FindFocus() != frame.startField; ++i) {
        processPendingEvents();
        wxMilliSleep(10);
    }
    ASSERT_EQ(wxWindow::FindFocus(), frame.startField);
    frame.startField->SetValue("0800");

    const struct {
        long caret;
        int key;
        const char* shown;
    } keys[] = {{4, '1', "0801"}, {1, 'F', "0F01"}, {2, 'x', "0F01"}};
    wxUIActionSimulator keyboard;
    for (const auto& k : keys) {
        frame.startField->SetInsertionPoint(k.caret);
        keyboard.Char(k.key);
        for (int i = 0; i < 10; ++i) {
            processPendingEvents();
            wxMilliSleep(5);
        }
        EXPECT_EQ(frame.startField->GetValue(), k.shown) << char(k.key);
    }
    frame.startField->SetValue("0000");
}
