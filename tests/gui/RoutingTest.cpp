// Every command reaches its handler: from the menu, the tool and the button
// alike. Where the handler already does something visible the test goes by its
// effect; otherwise it reads the window's static event table, whose first
// matching row is the one that runs.
#include <algorithm>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "GuiHarness.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/NumberField.h"

namespace {

struct Route {
    wxEventType type;
    int id;
};

// The window's static table is visible to classes derived from it only.
struct EventTableOf : MainFrame {
    static const wxEventTable& table() { return MainFrame::sm_eventTable; }
};

// The handler the table runs for (type, id): the first row that matches.
wxEventFunction routedMethod(const MainFrame&, wxEventType type, int id)
{
    const wxEventTable* table = &EventTableOf::table();
    for (const wxEventTableEntry* row = table->entries; row->m_fn; ++row) {
        if (row->m_eventType != type)
            continue;
        const bool matches = row->m_id == wxID_ANY ||
                             (row->m_lastId == wxID_ANY ? row->m_id == id : id >= row->m_id && id <= row->m_lastId);
        if (matches)
            return row->m_fn->GetEvtMethod();
    }
    return nullptr;
}

wxEventFunction catchAll(const MainFrame& frame) { return routedMethod(frame, wxEVT_MENU, 31999); }

} // namespace

TEST(Routing, EveryCommandHasItsOwnHandlerAndSharedOnesAreShared)
{
    MainFrame& frame = TestApp::frame();
    const wxEventFunction fallback = catchAll(frame);
    ASSERT_NE(fallback, nullptr);

    const Route routes[] = {
        {wxEVT_MENU, ID_EXIT},           {wxEVT_MENU, ID_NEW_BUFFER},      {wxEVT_MENU, ID_CLOSE_BUFFER},
        {wxEVT_MENU, ID_CONNECT},        {wxEVT_BUTTON, ID_FILL},          {wxEVT_MENU, ID_COM1},
        {wxEVT_MENU, ID_READ_EEPROM},    {wxEVT_MENU, ID_WRITE_EEPROM},    {wxEVT_MENU, ID_LOAD_FILE},
        {wxEVT_MENU, ID_SAVE_FILE},      {wxEVT_COMBOBOX, ID_COMPARE_COMBO}, {wxEVT_MENU, ID_ABOUT},
        {wxEVT_NOTEBOOK_PAGE_CHANGED, ID_BUFFER_BOOK}, {wxEVT_COMBOBOX, ID_MODEL_COMBO},
        {wxEVT_COMBOBOX, ID_CRYSTAL_COMBO},
    };
    std::vector<wxEventFunction> seen;
    for (const Route& route : routes) {
        const wxEventFunction method = routedMethod(frame, route.type, route.id);
        EXPECT_NE(method, nullptr) << route.id;
        EXPECT_NE(method, fallback) << route.id;
        EXPECT_EQ(std::find(seen.begin(), seen.end(), method), seen.end()) << route.id << " shares a handler";
        seen.push_back(method);
    }

    // A button and the menu item with its identifier run the same handler.
    for (int id : {ID_CONNECT, ID_READ_EEPROM, ID_WRITE_EEPROM})
        EXPECT_EQ(routedMethod(frame, wxEVT_BUTTON, id), routedMethod(frame, wxEVT_MENU, id)) << id;
    // The four port items share the port handler.
    for (int id : {ID_COM2, ID_COM3, ID_COM4})
        EXPECT_EQ(routedMethod(frame, wxEVT_MENU, id), routedMethod(frame, wxEVT_MENU, ID_COM1)) << id;
    // The check box, the tool bar and the number fields raise nothing the window routes.
    EXPECT_EQ(routedMethod(frame, wxEVT_CHECKBOX, ID_SELECTION_CHECK), nullptr);
    EXPECT_EQ(routedMethod(frame, wxEVT_TEXT, ID_NUMBER_FIELD), nullptr);
    EXPECT_EQ(routedMethod(frame, wxEVT_BUTTON, ID_ABOUT), nullptr);
    // Menu commands without a handler of their own fall to the catch-all.
    for (int id : {int(ID_FILL), int(ID_SELECTION_CHECK), int(ID_TOOLBAR), 6001, 6020, 7000})
        EXPECT_EQ(routedMethod(frame, wxEVT_MENU, id), fallback) << id;

    EXPECT_NE(routedMethod(frame, wxEVT_SIZE, wxID_ANY), nullptr);
    for (wxEventType mouse : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_UP, wxEVT_MIDDLE_DCLICK, wxEVT_MOTION,
                              wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW, wxEVT_MOUSEWHEEL})
        EXPECT_NE(routedMethod(frame, mouse, wxID_ANY), nullptr) << mouse;
}

TEST(Routing, HelpToolShowsTheAboutBoxAndNothingElseChanges)
{
    MainFrame& frame = TestApp::frame();
    const wxString status = frame.GetStatusBar()->GetStatusText(3);
    const wxString start = frame.startField->GetValue();
    const size_t pages = frame.bufferBook->GetPageCount();
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, "Wersja 1.01").expect(wxID_OK, "Wersja 1.01");
        frame.GetToolBar()->OnLeftClick(ID_ABOUT, false); // a click on the Help tool
        sendMenu(frame, ID_ABOUT);
        ASSERT_EQ(boxes.shown().size(), 2u);
        for (const auto& box : boxes.shown()) {
            EXPECT_EQ(box.caption, "Informacja:");
            EXPECT_TRUE(box.style & wxICON_INFORMATION);
            EXPECT_TRUE(box.style & wxOK);
            EXPECT_FALSE(box.style & (wxYES_NO | wxCANCEL));
            EXPECT_EQ(box.buttons, std::vector<wxString>{"OK"});
        }
    }
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(3), status);
    EXPECT_EQ(frame.startField->GetValue(), start);
    EXPECT_EQ(frame.bufferBook->GetPageCount(), pages);
}

TEST(Routing, UnknownMenuCommandsAreConsumedWithoutEffect)
{
    MainFrame& frame = TestApp::frame();
    ScriptedBoxes noBoxes;
    const wxString status = frame.GetStatusBar()->GetStatusText(3);
    for (int id : {6001, 6020, 6023, 7000}) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(&frame);
        EXPECT_TRUE(frame.ProcessWindowEvent(event)) << id; // handled, not passed on
    }
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(3), status);
    EXPECT_TRUE(noBoxes.shown().empty());
}
