// The main window right after start-up: texts, values, enabled state, menus
// and tools. Texts are spelled out here so that a wrong one shows.
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "GuiHarness.h"
#include "RealInput.h"
#include "app/Identifiers.h"
#include "app/ToolBarPanel.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/NumberField.h"

namespace {
wxString u(const char* utf8) { return wxString::FromUTF8(utf8); }

void collectLabels(wxWindow* window, std::vector<wxWindow*>& out)
{
    for (wxWindow* child : window->GetChildren()) {
        const bool textButton = dynamic_cast<wxButton*>(child) && !dynamic_cast<wxBitmapButton*>(child);
        if (dynamic_cast<wxStaticText*>(child) || textButton || dynamic_cast<wxCheckBox*>(child))
            out.push_back(child);
        collectLabels(child, out);
    }
}
} // namespace

TEST(Startup, WindowStartsNotConnectedWithTheModelPlaceholder)
{
    MainFrame& frame = TestApp::freshFrame(); // untouched by the tests before

    EXPECT_EQ(frame.GetTitle(), "Rovidada DE12 1.5");
    EXPECT_EQ(frame.GetStatusBar()->GetFieldsCount(), 4);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(3), u("Brak połączenia."));
    EXPECT_EQ(frame.startField->GetValue(), "0000");
    EXPECT_EQ(frame.countField->GetValue(), "512");
    EXPECT_EQ(frame.fillField->GetValue(), "FF");
    EXPECT_EQ(frame.modelCombo->GetValue(), "Model");
    EXPECT_EQ(frame.modelCombo->GetCount(), 8u);
    EXPECT_EQ(frame.crystalCombo->GetValue(), "Auto");
    EXPECT_EQ(frame.crystalCombo->GetCount(), 4u);
    EXPECT_EQ(frame.crystalCombo->GetString(1), "16MHz");
    EXPECT_EQ(frame.currentModel.name, "Model");
    EXPECT_FALSE(frame.mc9s12Mode);

    EXPECT_FALSE(frame.compareCombo->IsEnabled());
    EXPECT_EQ(frame.compareCombo->GetSelection(), 0);
    EXPECT_EQ(frame.compareCombo->GetValue(), frame.bufferBook->GetPageText(0));
    EXPECT_TRUE(frame.connectButton->IsEnabled());
    EXPECT_FALSE(frame.readButton->IsEnabled());
    EXPECT_FALSE(frame.writeButton->IsEnabled());
    EXPECT_FALSE(frame.selectionCheck->IsEnabled());
    EXPECT_FALSE(frame.selectionCheck->GetValue());
    EXPECT_EQ(frame.selectionCheck->GetLabel(), "Zaznaczenie");
}

TEST(Startup, MenusCarryTheirMnemonicsAndStartState)
{
    MainFrame& frame = TestApp::frame();
    wxMenuBar* bar = frame.GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&Plik");
    EXPECT_EQ(bar->GetMenuLabel(1), u("&Połączenie"));
    EXPECT_EQ(bar->GetMenu(1), frame.connMenu);

    const struct {
        int id;
        const char* label;
    } items[] = {
        {ID_NEW_BUFFER, "&Nowy bufor"},     {ID_LOAD_FILE, "&Czytaj plik"},  {ID_SAVE_FILE, "&Zapisz do pliku"},
        {ID_CLOSE_BUFFER, "&Zamknij bufor"}, {ID_EXIT, "E&xit"},              {ID_CONNECT, "&Polacz z MCU"},
        {ID_READ_EEPROM, "&Czytaj EEPROM"}, {ID_WRITE_EEPROM, "&Wczytaj EEPROM"}, {ID_COM1, "COM 1"},
        {ID_COM2, "COM 2"},                 {ID_COM3, "COM 3"},              {ID_COM4, "COM 4"},
    };
    for (const auto& item : items) {
        wxMenuItem* menuItem = bar->FindItem(item.id);
        ASSERT_NE(menuItem, nullptr) << item.id;
        EXPECT_EQ(menuItem->GetItemLabel(), u(item.label)) << item.id;
        EXPECT_TRUE(menuItem->GetHelp().empty()) << item.id;
        const bool target = item.id == ID_READ_EEPROM || item.id == ID_WRITE_EEPROM;
        EXPECT_EQ(menuItem->IsEnabled(), !target) << item.id;
        EXPECT_EQ(menuItem->IsRadio(), item.id >= ID_COM1 && item.id <= ID_COM4) << item.id;
    }
    EXPECT_TRUE(bar->IsChecked(ID_COM1));
    EXPECT_FALSE(bar->IsChecked(ID_COM2));
    EXPECT_EQ(bar->FindItem(ID_ABOUT), nullptr); // the Help tool is the only way to the about box
}

TEST(Startup, ToolsInOrderWithTheirShortHelp)
{
    wxToolBar* toolBar = TestApp::frame().GetToolBar();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(toolBar->GetId(), ID_TOOLBAR);
    const struct {
        int id;
        const char* label;
        const char* shortHelp;
    } tools[] = {
        {ID_NEW_BUFFER, "New", "Nowy bufor"}, {ID_LOAD_FILE, "Open", "Czytaj plik"},
        {ID_SAVE_FILE, "Save", "Zapisz do pliku"}, {ID_CLOSE_BUFFER, "Close", "Zamknij bufor"},
        {ID_ABOUT, "Help", "O porgramie"},
    };
    const int positions[] = {0, 2, 4, 6, 9};
    for (std::size_t i = 0; i < std::size(tools); ++i) {
        const wxToolBarToolBase* tool = toolBar->GetToolByPos(positions[i]);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->GetId(), tools[i].id);
        EXPECT_EQ(tool->GetLabel(), tools[i].label);
        EXPECT_EQ(tool->GetShortHelp(), tools[i].shortHelp);
        EXPECT_TRUE(tool->GetLongHelp().empty());
        EXPECT_FALSE(tool->CanBeToggled());
        EXPECT_EQ(tool->GetNormalBitmap().GetSize(), wxSize(16, 16));
    }
    for (int separator : {1, 3, 5, 7, 8})
        EXPECT_TRUE(toolBar->GetToolByPos(separator)->IsSeparator()) << separator;
}

// Under LC_CTYPE=C a narrow UTF-8 literal turns into an empty wx string.
TEST(Startup, NoLabelIsEmptyAndTheLabelsReadRight)
{
    MainFrame& frame = TestApp::frame();
    std::vector<wxWindow*> labelled;
    collectLabels(&frame, labelled);
    std::vector<wxString> texts;
    for (wxWindow* window : labelled) {
        EXPECT_FALSE(window->GetLabel().empty()) << window->GetClassInfo()->GetClassName();
        texts.push_back(window->GetLabel());
    }
    for (const char* expected : {"Poczatek:", "H", "Ile:", "Wypełnij", "Zaznaczenie"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), u(expected)), texts.end()) << expected;

    bool compareBoxFound = false;
    for (wxWindow* child : frame.sidePanel->GetChildren())
        if (dynamic_cast<wxStaticBox*>(child) && child->GetLabel() == u("Porównaj z:"))
            compareBoxFound = true;
    EXPECT_TRUE(compareBoxFound);
    for (wxWindow* window : frame.GetMenuBar()->GetChildren())
        EXPECT_FALSE(window->GetLabel().empty());
}

TEST(Startup, TabOrderFollowsCreationOrder)
{
    MainFrame& frame = TestApp::frame();
    const wxWindowList& toolBarChildren = frame.toolBarPanel()->GetChildren();
    std::vector<wxWindow*> focusable;
    for (wxWindow* child : toolBarChildren)
        if (child->AcceptsFocus())
            focusable.push_back(child);
    ASSERT_GE(focusable.size(), 6u);
    EXPECT_EQ(focusable[0], frame.startField);
    EXPECT_EQ(focusable[1], frame.countField);
    EXPECT_EQ(focusable[2], frame.fillField);
    EXPECT_EQ(focusable[3], frame.modelCombo);
    EXPECT_EQ(focusable[4], frame.crystalCombo);
    EXPECT_EQ(focusable[5]->GetId(), ID_FILL);

    std::vector<wxWindow*> side(frame.sidePanel->GetChildren().begin(), frame.sidePanel->GetChildren().end());
    const std::vector<wxWindow*> expected = {frame.bufferBook,   frame.connectButton,  frame.readButton,
                                             frame.writeButton,  frame.selectionCheck, frame.compareCombo};
    std::vector<wxWindow*> controls;
    for (wxWindow* child : side)
        if (std::find(expected.begin(), expected.end(), child) != expected.end())
            controls.push_back(child);
    EXPECT_EQ(controls, expected);
}

// GTK's tool bar passes Tab past all its items at once; the keys must walk
// its controls in their order (real key presses).
TEST(Startup, TabAndShiftTabWalkTheToolBarControlsInOrder)
{
    MainFrame& frame = TestApp::frame();
    frame.Raise();
    const std::vector<wxWindow*> order = {frame.startField,   frame.countField,   frame.fillField,
                                          frame.modelCombo,   frame.crystalCombo, frame.FindWindow(ID_FILL)};
    frame.startField->SetFocus();
    ASSERT_TRUE(settleUntil([&] { return wxWindow::FindFocus() == frame.startField; }));
    wxUIActionSimulator keyboard;
    for (std::size_t i = 1; i < order.size(); ++i) {
        keyboard.Char(WXK_TAB);
        EXPECT_TRUE(settleUntil([&] { return wxWindow::FindFocus() == order[i]; })) << "Tab to control " << i;
    }
    for (std::size_t i = order.size() - 1; i-- > 0;) {
        keyboard.Char(WXK_TAB, wxMOD_SHIFT);
        EXPECT_TRUE(settleUntil([&] { return wxWindow::FindFocus() == order[i]; })) << "Shift+Tab to control " << i;
    }
}

TEST(Startup, ControlsCarryTheirIdentifiersAndNames)
{
    MainFrame& frame = TestApp::frame();
    for (wxWindow* field : {frame.startField, frame.countField, frame.fillField})
        EXPECT_EQ(field->GetId(), ID_NUMBER_FIELD);
    EXPECT_EQ(frame.startField->GetName(), "start");
    EXPECT_EQ(frame.countField->GetName(), "ile");
    EXPECT_EQ(frame.fillField->GetName(), "ile");
    EXPECT_EQ(frame.startField->maxLength, 4);
    EXPECT_EQ(frame.countField->maxLength, 7);
    EXPECT_EQ(frame.fillField->maxLength, 2);
    EXPECT_EQ(frame.modelCombo->GetId(), ID_MODEL_COMBO);
    EXPECT_EQ(frame.crystalCombo->GetId(), ID_CRYSTAL_COMBO);
    EXPECT_EQ(frame.compareCombo->GetId(), ID_COMPARE_COMBO);
    EXPECT_EQ(frame.connectButton->GetId(), ID_CONNECT);
    EXPECT_EQ(frame.readButton->GetId(), ID_READ_EEPROM);
    EXPECT_EQ(frame.writeButton->GetId(), ID_WRITE_EEPROM);
    EXPECT_EQ(frame.selectionCheck->GetId(), ID_SELECTION_CHECK);
    EXPECT_EQ(frame.bufferBook->GetId(), ID_BUFFER_BOOK);
    EXPECT_TRUE(frame.GetIcons().GetIcon(wxSize(32, 32)).IsOk());
    EXPECT_TRUE(frame.GetIcons().GetIcon(wxSize(48, 48)).IsOk());

    wxTextAttr style = frame.startField->GetDefaultStyle();
    EXPECT_EQ(style.GetTextColour(), *wxBLACK);
    EXPECT_EQ(style.GetFont().GetPointSize(), 10);
    EXPECT_TRUE(style.GetFont().IsFixedWidth()); // GTK reports the modern family as teletype
}
