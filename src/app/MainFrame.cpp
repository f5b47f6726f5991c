// Building the main window: every control at its fixed place, the initial
// values, and the not-connected state at the end.
#include "app/MainFrame.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/Animations.h"
#include "app/CompactStyle.h"
#include "app/EveryChoice.h"
#include "app/Identifiers.h"
#include "app/OperationTurns.h"
#include "app/Resources.h"
#include "app/StatusLine.h"
#include "app/ToolBarPanel.h"
#include "app/UiText.h"
#include "app/WindowLinkObserver.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/NumberField.h"
#include "app/ProgressWindow.h"
#include "serial/SerialLink.h"
#include "procedures/CrystalTable.h"
#include "procedures/ModelTable.h"
#include "store/BufferLimit.h"

namespace {

constexpr int FRAME_WIDTH = 705;
constexpr int FRAME_MIN_HEIGHT = 486;
constexpr int FRAME_MAX_HEIGHT = 900;
constexpr int FRAME_HEIGHT = 660;
constexpr int TOOL_SIZE = 16;
constexpr int TOOL_BAR_HEIGHT = 26;
constexpr int TOOL_BUTTON_WIDTH = 23; // when GTK cannot say

// The tool-bar controls use a font one point smaller than the window's, so
// that they fit the 26-pixel tool bar; the fill button, the check box and the
// comparison list, which have less room for their words, two points.
wxFont smallerFont(wxFont font, int points)
{
    font.SetPointSize(font.GetPointSize() - points);
    return font;
}

wxBitmap toolBitmap(const char* name)
{
    wxImage image = loadResourceBitmap(name).ConvertToImage();
    image.Rescale(TOOL_SIZE, TOOL_SIZE);
    return wxBitmap(image);
}

} // namespace

MainFrame::MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size, AppServices services)
    : SteadyDefaults<wxFrame>(nullptr, wxID_ANY, title, pos, size, wxDEFAULT_FRAME_STYLE),
      services_(services),
      linkObserver_(std::make_unique<WindowLinkObserver>(*this)),
      link_(std::make_unique<SerialLink>(services.clock, services.ports, *linkObserver_)),
      turns_(std::make_shared<OperationTurns>(services.clock))
{
    // A system that cannot make the top-level window (Wine whose desktop has
    // no display driver, a desktop heap used up) leaves nothing to build the
    // controls on: the application reports it (isBuilt).
    if (!isBuilt())
        return;
    switchOffAnimations();
    SetIcons(loadResourceIconBundle("IDI_ICON"));
    currentModel = modelTable()[0];

    sidePanel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    bufferBook = new BufferBook(sidePanel, ID_BUFFER_BOOK, wxDefaultPosition, wxSize(602, 576), wxSTATIC_BORDER,
                                "notebook");

    createMenus();
    createToolBar();

    CreateStatusBar(4, wxSTB_DEFAULT_STYLE, 0);
    SetStatusBarPane(3);

    SetSizeHints(FRAME_WIDTH, FRAME_MIN_HEIGHT, FRAME_WIDTH, FRAME_MAX_HEIGHT);
    SetSize(100, 20, FRAME_WIDTH, FRAME_HEIGHT);

    createToolBarControls();
    createSidePanelControls();
    bufferBook->attachControls(startField, countField, fillField, compareCombo);
    bufferBook->statusNote = [this](const wxString& note) { SetStatusText(note, 0); };
    bufferBook->betweenSteps = [this] { turns_->offer(); };

    link_->markDisconnected();

    wxTextAttr style(*wxBLACK, wxNullColour,
                     wxFont(10, wxFONTFAMILY_MODERN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false));
    startField->SetDefaultStyle(style);

    // The clock may outlive the window (tests build many windows on one clock):
    // a hook left behind by a window that is gone does nothing.
    services.clock.setIdleHook([turns = std::weak_ptr<OperationTurns>(turns_)] {
        if (auto alive = turns.lock())
            alive->offer();
    });

    // GTK applies the compact style only when the window is shown; the default
    // sizes and everything placed from them follow once it has.
    CallAfter(&MainFrame::fitControlsToStyle);
}

MainFrame::~MainFrame() = default;

wxStatusBar* MainFrame::OnCreateStatusBar(int number, long style, wxWindowID id, const wxString& name)
{
    auto* statusBar = new StatusLine(this, id, style, name);
    statusBar->SetFieldsCount(number);
    return statusBar;
}

void MainFrame::createMenus()
{
    auto* fileMenu = new wxMenu;
    fileMenu->Append(ID_NEW_BUFFER, uiText(texts::ITEM_NEW_BUFFER));
    fileMenu->Append(ID_LOAD_FILE, uiText(texts::ITEM_LOAD_FILE));
    fileMenu->Append(ID_SAVE_FILE, uiText(texts::ITEM_SAVE_FILE));
    fileMenu->Append(ID_CLOSE_BUFFER, uiText(texts::ITEM_CLOSE_BUFFER));
    fileMenu->AppendSeparator();
    fileMenu->Append(ID_EXIT, uiText(texts::ITEM_EXIT));

    connMenu = new wxMenu;
    connMenu->Append(ID_CONNECT, uiText(texts::ITEM_CONNECT));
    connMenu->Append(ID_READ_EEPROM, uiText(texts::ITEM_READ_EEPROM));
    connMenu->Append(ID_WRITE_EEPROM, uiText(texts::ITEM_WRITE_EEPROM));
    connMenu->AppendSeparator();
    connMenu->AppendRadioItem(ID_COM1, uiText(texts::ITEM_COM1));
    connMenu->AppendRadioItem(ID_COM2, uiText(texts::ITEM_COM2));
    connMenu->AppendRadioItem(ID_COM3, uiText(texts::ITEM_COM3));
    connMenu->AppendRadioItem(ID_COM4, uiText(texts::ITEM_COM4));

    auto* menuBar = new wxMenuBar;
    menuBar->Append(fileMenu, uiText(texts::MENU_FILE));
    menuBar->Append(connMenu, uiText(texts::MENU_CONNECTION));
    SetMenuBar(menuBar);
}

void MainFrame::createToolBar()
{
    auto* toolBar = new wxToolBar(this, ID_TOOLBAR, wxDefaultPosition, wxDefaultSize,
                                  wxTB_HORIZONTAL | wxTB_FLAT | wxNO_BORDER);
    toolBar->SetToolBitmapSize(wxSize(TOOL_SIZE, TOOL_SIZE));
    toolBar->AddTool(ID_NEW_BUFFER, uiText(texts::TOOL_NEW), toolBitmap("new"), uiText(texts::HELP_NEW_BUFFER));
    toolBar->AddSeparator();
    toolBar->AddTool(ID_LOAD_FILE, uiText(texts::TOOL_OPEN), toolBitmap("open"), uiText(texts::HELP_LOAD_FILE));
    toolBar->AddSeparator();
    toolBar->AddTool(ID_SAVE_FILE, uiText(texts::TOOL_SAVE), toolBitmap("save"), uiText(texts::HELP_SAVE_FILE));
    toolBar->AddSeparator();
    toolBar->AddTool(ID_CLOSE_BUFFER, uiText(texts::TOOL_CLOSE), toolBitmap("close"),
                     uiText(texts::HELP_CLOSE_BUFFER));
    toolBar->AddSeparator();
    toolBar->AddSeparator();
    toolBar->AddTool(ID_ABOUT, uiText(texts::TOOL_HELP), toolBitmap("help"), uiText(texts::HELP_ABOUT));
    makeCompact(toolBar);
    toolBar->Realize();
    SetToolBar(toolBar);
}

void MainFrame::createToolBarControls()
{
    wxToolBar* toolBar = GetToolBar();
    toolBarPanel_ = new ToolBarPanel(toolBar, wxSize(FRAME_WIDTH / 2, TOOL_BAR_HEIGHT));
    makeCompact(toolBarPanel_);
    toolBarPanel_->SetFont(smallerFont(GetFont(), 1));
    toolBar->AddControl(toolBarPanel_);
    toolBar->Realize();

    // Ten items stand before the container: five tools and five separators.
    int itemsWidth = 0;
    for (int item = 0; item < 10; ++item)
        itemsWidth += toolItemWidth(toolBar, item, TOOL_BUTTON_WIDTH);
    toolBarPanelAt_ = wxPoint(itemsWidth, 0);
    toolsOrigin_ = toolItemWidth(toolBar, 0, TOOL_BUTTON_WIDTH) * 11 - 180;

    wxWindow* panel = toolBarPanel_;
    startField = new NumberField(panel, ID_NUMBER_FIELD, NumberFilter::Hexadecimal, 4, "0000", wxDefaultPosition,
                                 wxSize(50, 17), wxTE_RIGHT, "start");
    countField = new NumberField(panel, ID_NUMBER_FIELD, NumberFilter::Decimal, BYTE_COUNT_DIGITS, "0", wxDefaultPosition,
                                 wxSize(50, 17), wxTE_RIGHT, "ile");
    fillField = new NumberField(panel, ID_NUMBER_FIELD, NumberFilter::Hexadecimal, 2, "FF", wxDefaultPosition,
                                wxSize(25, 17), wxTE_RIGHT, "ile");

    modelCombo = new wxComboBox(panel, ID_MODEL_COMBO, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                wxCB_READONLY | wxCB_SIMPLE);
    for (const ModelInfo& model : modelTable())
        modelCombo->Append(uiText(model.name));
    modelCombo->SetValue(uiText(modelTable()[0].name));
    startField->SetValue(wxString::Format("%04X", unsigned(currentModel.eepromStart)));
    countField->SetValue(wxString::Format("%u", unsigned(currentModel.eepromSize)));

    crystalCombo = new wxComboBox(panel, ID_CRYSTAL_COMBO, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                  nullptr, wxCB_READONLY | wxCB_SIMPLE);
    crystalCombo->Append(uiText(texts::CRYSTAL_AUTO));
    for (const Crystal& crystal : CRYSTAL_TABLE)
        crystalCombo->Append(uiText(crystal.label));
    crystalCombo->SetValue(uiText(texts::CRYSTAL_AUTO));
    reportEveryChoice(*modelCombo);
    reportEveryChoice(*crystalCombo);

    startLabel_ = new wxStaticText(panel, 0, uiText(texts::LABEL_START));
    hexMark_ = new wxStaticText(panel, 0, uiText(texts::LABEL_HEX_MARK));
    countLabel_ = new wxStaticText(panel, 0, uiText(texts::LABEL_COUNT));
    fillButton_ = new wxButton(panel, ID_FILL, uiText(texts::BUTTON_FILL), wxDefaultPosition, wxSize(50, 20),
                               wxBU_EXACTFIT);
    fillButton_->SetFont(smallerFont(GetFont(), 2));
    for (wxWindow* control : panel->GetChildren())
        makeCompact(control);
    placeToolBarControls();
}

void MainFrame::createSidePanelControls()
{
    connectButton = new wxBitmapButton(sidePanel, ID_CONNECT, loadResourceBitmap("connect"));
    connectButton->SetDefault();
    readButton = new wxBitmapButton(sidePanel, ID_READ_EEPROM, loadResourceBitmap("read"));
    writeButton = new wxBitmapButton(sidePanel, ID_WRITE_EEPROM, loadResourceBitmap("write"));
    selectionCheck = new wxCheckBox(sidePanel, ID_SELECTION_CHECK, uiText(texts::CHECK_SELECTION));
    readWriteBox_ = new wxStaticBox(sidePanel, 0, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
    connectBox_ = new wxStaticBox(sidePanel, 0, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
    compareBox_ = new wxStaticBox(sidePanel, 0, uiText(texts::BOX_COMPARE), wxDefaultPosition, wxDefaultSize, 0);

    compareCombo = new wxComboBox(sidePanel, ID_COMPARE_COMBO, wxEmptyString, wxDefaultPosition, wxSize(87, 16), 0,
                                  nullptr, wxCB_READONLY | wxCB_SIMPLE);
    compareCombo->Append(bufferBook->GetPageText(bufferBook->GetSelection()));
    compareCombo->Disable();
    compareCombo->SetSelection(0);
    reportEveryChoice(*compareCombo);

    selectionCheck->SetFont(smallerFont(GetFont(), 2));
    // Page names can be any length, the box is 87 pixels wide: the list shows
    // them whole (fitTextsToFixedWidths), and so does the box's tool tip for
    // the name it shows.
    compareCombo->SetFont(smallerFont(GetFont(), 2));
    compareCombo->Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
        event.Skip();
        compareCombo->SetToolTip(compareCombo->GetValue());
    });
    picture_ = new wxStaticBitmap(sidePanel, wxID_ANY, loadResourceBitmap("HC12BMP"));
    for (wxWindow* control : {static_cast<wxWindow*>(connectButton), static_cast<wxWindow*>(readButton),
                              static_cast<wxWindow*>(writeButton), static_cast<wxWindow*>(selectionCheck)})
        makeCompact(control);
    makeTight(compareCombo);
    placeSidePanelControls();
}

void MainFrame::showDisconnected()
{
    SetStatusText(uiText(texts::STATE_NOT_CONNECTED), 3);
    readButton->Disable();
    writeButton->Disable();
    connMenu->Enable(ID_WRITE_EEPROM, false);
    connMenu->Enable(ID_READ_EEPROM, false);
    selectionCheck->Disable();
}
