// What the GUI tests share: one wx application for the whole run, one main
// window built like the program builds it (but on a virtual clock and with
// ports the tests wire up), scripted answers to message boxes, and helpers that
// raise the same events a user's click or choice raises.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/modalhook.h>
#include <wx/eventfilter.h>
#include <wx/image.h>
#include <wx/window.h>

#include "app/MainFrame.h"
#include "texts/Texts.h"
#include "serial/PortOpener.h"
#include "serial/VirtualClock.h"

// Answers message boxes from a script and records every box shown. A box that
// the test did not expect fails the test at once and is answered with Cancel,
// so a forgotten expectation can never hang the run.
class ScriptedBoxes {
public:
    struct Box {
        wxString message;
        wxString caption;
        long style = 0;
        // The labels of the buttons the style asks for, in the order Yes, No, Cancel, OK;
        // for a box that asks for a text, its OK and Cancel.
        std::vector<wxString> buttons;
    };

    ScriptedBoxes();
    ~ScriptedBoxes(); // fails the test if an expected box was not shown

    // The next box is answered with `answer` (wxID_OK, wxID_YES, wxID_NO). When
    // `message` is not empty the box must show exactly that text.
    ScriptedBoxes& expect(int answer, const wxString& message = wxString());
    ScriptedBoxes& expect(int answer, Text message);
    // The next box is one that asks for a text: the user types `typed` into
    // it and answers with `answer`.
    ScriptedBoxes& expectEntry(int answer, const wxString& typed);

    const std::vector<Box>& shown() const { return shown_; }
    std::vector<wxString> messages() const;

private:
    friend class ScriptedDialogHook;
    struct Expectation {
        int answer;
        wxString message;
        wxString typed;
    };
    std::vector<Expectation> expected_;
    std::size_t next_ = 0;
    std::vector<Box> shown_;
};

// Ports the tests wire up by name ("COM1" ...); a name without a factory fails to open.
class TestPortOpener : public PortOpener {
public:
    using Factory = std::function<PortOpenResult()>;
    PortOpenResult open(const std::string& portName) override;
    void wire(const std::string& portName, Factory factory) { factories_[portName] = std::move(factory); }
    void clear() { factories_.clear(); opens_.clear(); }
    const std::vector<std::string>& opens() const { return opens_; }

private:
    std::map<std::string, Factory> factories_;
    std::vector<std::string> opens_;
};

struct TestApp {
    static VirtualClock& clock();
    static TestPortOpener& ports();
    // The shared main window, built on first use.
    static MainFrame& frame();
    // Throws the shared window away and builds a new one (about 0.3 s).
    static MainFrame& freshFrame();
};

// Raising the events a user raises.
void sendMenu(MainFrame& frame, int id);
void clickButton(wxWindow* button);
void chooseComboItem(wxWindow* combo, int index);
void processPendingEvents();
// The note in the status line's first field.
wxString statusNote(MainFrame& frame);

// Counts paints while it lives: of every window, or of those `counted` takes.
class PaintCounter : public wxEventFilter {
public:
    explicit PaintCounter(std::function<bool(const wxWindow&)> counted = {});
    ~PaintCounter() override;
    int FilterEvent(wxEvent& event) override;
    int count = 0;

private:
    std::function<bool(const wxWindow&)> counted_;
};
// The window of a grid that holds its cells (not its labels or corner).
bool isGridCells(const wxWindow& window);

// Lets the window paint what waits to be painted, as the window's turns during
// an operation do: paints and sizes only, nothing queued for later runs.
void paintPending();
// The pixels a window's client area shows on the screen now.
wxImage shownPixels(wxWindow& window);
bool samePixels(const wxImage& a, const wxImage& b);
