// Texts in controls of fixed width show whole: the status fields with their
// longest lines, the number fields full, and the comparison list's page names
// however narrow the list's box.
#include <gtk/gtk.h>
#include <wx/combobox.h>
#include <wx/statusbr.h>

#include "FileTestSupport.h"
#include "RealInput.h"
#include "app/buffers/NumberField.h"


namespace {

wxString utf8(const char* text) { return wxString::FromUTF8(text); }

// How many pixels of the field's text do not fit its text area.
int pixelsCutOff(NumberField& field)
{
    GdkRectangle area{};
    gtk_entry_get_text_area(GTK_ENTRY(field.GetHandle()), &area); // the part the text shows in
    return std::max(0, field.GetTextExtent(field.GetValue()).x - area.width);
}

} // namespace

TEST(WholeTexts, StatusFieldsShowTheirLongestLines)
{
    MainFrame& frame = TestApp::frame();
    wxStatusBar& statusBar = *frame.GetStatusBar();
    const struct {
        int field;
        const char* text;
    } lines[] = {
        {0, "Przeczytano  2048  bajtów."}, {0, "Przeczytano  9999999  bajtów."}, {0, "Zapisano  9999999  bajtów."},
        {0, "Wczytano 9765.62  KB"},       {1, "Nieudanych zapisów:  9999999"},  {1, "Razem:  9999999  różnic."},
        {3, "Brak połączenia."},           {3, "Łączenie..."},
    };
    for (const auto& line : lines) {
        statusBar.SetStatusText(utf8(line.text), line.field);
        paintPending();
        EXPECT_FALSE(statusBar.GetField(line.field).IsEllipsized()) << line.text;
    }
    for (int field : {0, 1})
        statusBar.SetStatusText("", field);
    statusBar.SetStatusText(utf8("Brak połączenia."), 3);
}

TEST(WholeTexts, FullNumberFieldsShowEveryDigit)
{
    MainFrame& frame = TestApp::frame();
    const struct {
        NumberField* field;
        const char* full;
    } cases[] = {{frame.countField, "9999999"}, {frame.countField, "8888888"}, {frame.startField, "DDDD"},
                 {frame.fillField, "DD"}};
    for (const auto& c : cases) {
        c.field->ChangeValue(c.full);
        paintPending();
        EXPECT_EQ(pixelsCutOff(*c.field), 0) << c.full;
    }
    frame.startField->SetValue("0000");
    frame.countField->SetValue("512");
    frame.fillField->SetValue("FF");
}

TEST(WholeTexts, TheComparisonListShowsWholePageNames)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    sendMenu(frame, ID_NEW_BUFFER);
    book.currentBuffer->setByte(0, 1); // Buf1 differs from Buf0
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK);
        chooseComboItem(frame.compareCombo, 0); // Buf1 against Buf0: a result page
    }
    ASSERT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf0", "Buf1", "\"Buf1\" i \"Buf0\""}));
    ASSERT_EQ(frame.compareCombo->GetValue(), "\"Buf1\" i \"Buf0\"");
    frame.Raise();
    // The box is narrower than most names: its tool tip gives the name whole.
    const wxRect box = frame.compareCombo->GetScreenRect();
    movePointerTo(wxPoint(box.x + box.width / 3, box.y + box.height / 2));
    EXPECT_EQ(frame.compareCombo->GetToolTipText(), "\"Buf1\" i \"Buf0\"");
    ComboPopup list(*frame.compareCombo);
    ASSERT_EQ(list.entryCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(list.entryShownInFull(i)) << frame.compareCombo->GetString(unsigned(i));
}
