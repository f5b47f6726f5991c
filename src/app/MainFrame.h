// The program's single main window: its controls, the state the commands share,
// and the handlers that the event table routes every command to. The handlers
// are spread over files by subject: ShellCommands, PortCommands, BufferCommands,
// CompareCommand, FileCommands, TargetCommands.
#pragma once

#include <memory>

#include <wx/frame.h>

#include "app/SteadyDefaults.h"
#include "procedures/ModelInfo.h"

class wxBitmapButton;
class wxBookCtrlEvent;
class wxCheckBox;
class wxComboBox;
class wxMenu;
class wxButton;
class wxPanel;
class wxStaticBitmap;
class wxStaticBox;
class wxStaticText;
class BufferBook;
class Clock;
class NumberField;
class OperationTurns;
class PortOpener;
class ProgressWindow;
class SerialLink;
class ToolBarPanel;
class WindowLinkObserver;

// What the window needs from outside: the clock every pause goes through and
// the opener behind the "COM n" items. The program passes the real ones;
// tests pass a virtual clock and simulated boards.
struct AppServices {
    Clock& clock;
    PortOpener& ports;
};

class MainFrame : public SteadyDefaults<wxFrame> {
public:
    MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size, AppServices services);
    ~MainFrame() override;
    // Whether the system made the window: without it the frame holds no
    // controls and must not be shown.
    bool isBuilt() const { return GetHandle() != nullptr; }

    // Controls kept by the window, in creation order.
    BufferBook* bufferBook = nullptr;
    wxPanel* sidePanel = nullptr;
    wxMenu* connMenu = nullptr;
    wxComboBox* crystalCombo = nullptr;
    wxBitmapButton* connectButton = nullptr;
    wxBitmapButton* readButton = nullptr;
    wxBitmapButton* writeButton = nullptr;
    wxCheckBox* selectionCheck = nullptr;
    NumberField* startField = nullptr;
    NumberField* countField = nullptr;
    NumberField* fillField = nullptr;
    wxComboBox* modelCombo = nullptr;
    wxComboBox* compareCombo = nullptr;

    // State the commands share.
    ModelInfo currentModel;
    bool mc9s12Mode = false; // set by the last connect; chooses the write procedure
    int crystalMHz = 16;

    Clock& clock() { return services_.clock; }
    SerialLink& link() { return *link_; }
    // The gauge over status field 2 that long operations report to.
    ProgressWindow& progress();
    // The window's repaint turns during an operation.
    OperationTurns& turns() { return *turns_; }

    // The window's part of losing the connection: status field 3 and the
    // target commands disabled.
    void showDisconnected();

    // The x position that the tool-bar controls are placed from.
    int toolsOrigin() const { return toolsOrigin_; }
    // The one control added to the tool bar; the fields, combo boxes, labels
    // and the fill button live inside it (GTK shows no other tool-bar child).
    ToolBarPanel* toolBarPanel() const { return toolBarPanel_; }

protected:
    wxStatusBar* OnCreateStatusBar(int number, long style, wxWindowID id, const wxString& name) override;

private:
    void createMenus();
    void createToolBar();
    void createToolBarControls();
    void createSidePanelControls();
    // Layout (MainFrameLayout.cpp): every control at its place, from the sizes
    // the controls have now; run again once GTK has applied the compact style.
    void placeToolBarControls();
    void placeSidePanelControls();
    void fitControlsToStyle();
    void fitTextsToFixedWidths();
    void moveOnToolBar(wxWindow* control, wxPoint onToolBar);
    wxRect onToolBar(const wxWindow* control) const; // in the tool bar's client area

    // Shell (ShellCommands.cpp, PortCommands.cpp)
    void onExit(wxCommandEvent& event);
    void onClose(wxCloseEvent& event);
    void onAbout(wxCommandEvent& event);
    void onAnyMenu(wxCommandEvent& event);
    void onSize(wxSizeEvent& event);
    void onMouse(wxMouseEvent& event);
    void onModelCombo(wxCommandEvent& event);
    void onComPort(wxCommandEvent& event);
    // Buffers (BufferCommands.cpp, CompareCommand.cpp)
    void onNewBuffer(wxCommandEvent& event);
    void onCloseBuffer(wxCommandEvent& event);
    void onPageChanged(wxBookCtrlEvent& event);
    void onFill(wxCommandEvent& event);
    void onCompareCombo(wxCommandEvent& event);
    // Whether the user lets the changes of the buffer shown (of every buffer)
    // go; asked only when there are changes.
    bool mayDropShownBuffer();
    bool mayDropAllBuffers();
    // Files (FileCommands.cpp)
    void onLoadFile(wxCommandEvent& event);
    void onSaveFile(wxCommandEvent& event);
    // Target (TargetCommands.cpp)
    void onConnect(wxCommandEvent& event);
    void onReadEeprom(wxCommandEvent& event);
    void onWriteEeprom(wxCommandEvent& event);
    void onCrystalCombo(wxCommandEvent& event);

    AppServices services_;
    std::unique_ptr<WindowLinkObserver> linkObserver_;
    std::unique_ptr<SerialLink> link_;
    std::shared_ptr<OperationTurns> turns_;
    std::unique_ptr<ProgressWindow> progress_;
    int toolsOrigin_ = 0;
    ToolBarPanel* toolBarPanel_ = nullptr;
    wxPoint toolBarPanelAt_;  // the container's place in the tool bar's client area
    wxStaticText* startLabel_ = nullptr;
    wxStaticText* hexMark_ = nullptr;
    wxStaticText* countLabel_ = nullptr;
    wxButton* fillButton_ = nullptr;
    wxStaticBox* readWriteBox_ = nullptr;
    wxStaticBox* connectBox_ = nullptr;
    wxStaticBox* compareBox_ = nullptr;
    wxStaticBitmap* picture_ = nullptr;

    wxDECLARE_EVENT_TABLE();
};
