#include "GuiHarness.h"

#include <algorithm>
#include <memory>

#include <gdk/gdk.h>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/bitmap.h>
#include <wx/grid.h>
#include <wx/statusbr.h>
#include <wx/evtloop.h>
#include <wx/utils.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include "app/UiText.h"

namespace {
ScriptedBoxes* activeScript = nullptr;
MainFrame* sharedFrame = nullptr;
} // namespace

class ScriptedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        ScriptedBoxes::Box box;
        if (auto* message = dynamic_cast<wxMessageDialog*>(dialog)) {
            box.message = message->GetMessage();
            box.caption = message->GetTitle();
            box.style = message->GetMessageDialogStyle();
            if (box.style & wxYES_NO)
                box.buttons = {message->GetYesLabel(), message->GetNoLabel()};
            if (box.style & wxCANCEL)
                box.buttons.push_back(message->GetCancelLabel());
            if (box.style & wxOK)
                box.buttons.push_back(message->GetOKLabel());
        } else {
            box.caption = dialog->GetTitle();
            for (int id : {wxID_OK, wxID_CANCEL})
                if (wxWindow* button = dialog->FindWindow(id))
                    box.buttons.push_back(button->GetLabel());
        }
        if (!activeScript || activeScript->next_ >= activeScript->expected_.size()) {
            ADD_FAILURE() << "unexpected dialog \"" << box.caption.utf8_string() << "\": "
                          << box.message.utf8_string();
            if (activeScript)
                activeScript->shown_.push_back(box);
            return wxID_CANCEL;
        }
        activeScript->shown_.push_back(box);
        const auto& expected = activeScript->expected_[activeScript->next_++];
        if (!expected.message.empty()) {
            EXPECT_EQ(expected.message.utf8_string(), box.message.utf8_string());
        }
        if (auto* entry = dynamic_cast<wxTextEntryDialog*>(dialog)) {
            entry->SetValue(expected.typed);
        } else if (!expected.typed.empty()) {
            ADD_FAILURE() << "a text was to be typed into \"" << box.caption.utf8_string() << "\"";
        }
        return expected.answer;
    }
    void Exit(wxDialog*) override {}
};

ScriptedBoxes::ScriptedBoxes() { activeScript = this; }

ScriptedBoxes::~ScriptedBoxes()
{
    for (std::size_t i = next_; i < expected_.size(); ++i)
        ADD_FAILURE() << "expected box not shown: " << expected_[i].message.utf8_string();
    if (activeScript == this)
        activeScript = nullptr;
}

ScriptedBoxes& ScriptedBoxes::expect(int answer, const wxString& message)
{
    expected_.push_back({answer, message, wxString()});
    return *this;
}

ScriptedBoxes& ScriptedBoxes::expect(int answer, Text message) { return expect(answer, uiText(message)); }

ScriptedBoxes& ScriptedBoxes::expectEntry(int answer, const wxString& typed)
{
    expected_.push_back({answer, wxString(), typed});
    return *this;
}

std::vector<wxString> ScriptedBoxes::messages() const
{
    std::vector<wxString> result;
    for (const Box& box : shown_)
        result.push_back(box.message);
    return result;
}

PortOpenResult TestPortOpener::open(const std::string& portName)
{
    opens_.push_back(portName);
    auto it = factories_.find(portName);
    if (it == factories_.end())
        return {nullptr, "/dev/null-" + portName, "No such file or directory", false};
    return it->second();
}

VirtualClock& TestApp::clock()
{
    static VirtualClock clock;
    return clock;
}

TestPortOpener& TestApp::ports()
{
    static TestPortOpener ports;
    return ports;
}

MainFrame& TestApp::frame()
{
    static ScriptedDialogHook hook; // registered once, for the whole run
    static bool registered = false;
    if (!registered) {
        hook.Register();
        registered = true;
    }
    if (!sharedFrame) {
        sharedFrame = new MainFrame(uiText(texts::FRAME_TITLE), wxDefaultPosition, wxDefaultSize,
                                    AppServices{clock(), ports()});
        sharedFrame->Show();
        wxTheApp->SetTopWindow(sharedFrame);
        processPendingEvents();
    }
    return *sharedFrame;
}

MainFrame& TestApp::freshFrame()
{
    if (sharedFrame) {
        sharedFrame->Destroy();
        sharedFrame = nullptr;
        processPendingEvents();
    }
    ports().clear();
    return frame();
}

void sendMenu(MainFrame& frame, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&frame);
    frame.ProcessWindowEvent(event);
}

void clickButton(wxWindow* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void chooseComboItem(wxWindow* window, int index)
{
    auto* combo = dynamic_cast<wxComboBox*>(window);
    ASSERT_NE(combo, nullptr);
    combo->SetSelection(index);
    wxCommandEvent event(wxEVT_COMBOBOX, combo->GetId());
    event.SetEventObject(combo);
    event.SetInt(index);
    event.SetString(combo->GetString(index));
    combo->ProcessWindowEvent(event);
}

wxString statusNote(MainFrame& frame) { return frame.GetStatusBar()->GetStatusText(0); }

void processPendingEvents()
{
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

void paintPending()
{
    // Before the main loop runs there is no active loop to yield in.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    // GTK paints on its frame clock, a frame every 16 ms or so, and a busy
    // machine may let frames go by late: go on until three turns in a row
    // brought no paint.
    PaintCounter paints;
    for (int turn = 0, quiet = 0; turn < 100 && quiet < 3; ++turn) {
        const int before = paints.count;
        loop.YieldFor(wxEVT_CATEGORY_UI);
        wxMilliSleep(20);
        quiet = paints.count == before ? quiet + 1 : 0;
    }
}

wxImage shownPixels(wxWindow& window)
{
    // Read back from the display itself (what a screenshot sees), through GDK:
    // a wx screen DC kept showing the first picture of a window.
    const wxSize size = window.GetClientSize();
    const wxPoint origin = window.ClientToScreen(wxPoint(0, 0));
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), origin.x, origin.y, size.x, size.y);
    if (!pixbuf)
        return wxImage();
    return wxBitmap(pixbuf).ConvertToImage(); // the bitmap takes the pixbuf over
}

bool samePixels(const wxImage& a, const wxImage& b)
{
    return a.IsOk() && b.IsOk() && a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

PaintCounter::PaintCounter(std::function<bool(const wxWindow&)> counted) : counted_(std::move(counted))
{
    wxEvtHandler::AddFilter(this);
}

PaintCounter::~PaintCounter() { wxEvtHandler::RemoveFilter(this); }

int PaintCounter::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_PAINT) {
        const auto* window = dynamic_cast<const wxWindow*>(event.GetEventObject());
        if (!counted_ || (window && counted_(*window)))
            ++count;
    }
    return Event_Skip;
}

bool isGridCells(const wxWindow& window)
{
    const auto* grid = dynamic_cast<const wxGrid*>(window.GetParent());
    return grid && grid->GetGridWindow() == &window;
}
