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

#include "app/Identifiers.h"
#include "app/Resources.h"
#include "app/UiText.h"
#include "app/WindowLinkObserver.h"
#include "serial/SerialLink.h"
#include "buffers/BufferBook.h"
#include "buffers/NumberField.h"
#include "progress/ProgressWindow.h"
#include "target/ModelTable.h"

namespace {

constexpr int kFrameWidth = 705;
constexpr int kFrameMinHeight = 486;
constexpr int kFrameMaxHeight = 900;
constexpr int kFrameHeight = 660;
constexpr int kToolSize = 16;

wxBitmap toolBitmap(const char* name)
{
    wxImage image = loadResourceBitmap(name).ConvertToImage();
    image.Rescale(kToolSize, kToolSize);
    return wxBitmap(image);
}

} // namespace

MainFrame::MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size, AppServices services)
    : wxFrame(nullptr, wxID_ANY, title, pos, size, wxDEFAULT_FRAME_STYLE), services_(services)
{
    SetIcon(loadResourceIcon("IDI_ICON"));
    currentModel = modelTable()[0];

    sidePanel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    bufferBook = new BufferBook(sidePanel, ID_BUFFER_BOOK, wxDefaultPosition, wxSize(602, 576), wxSTATIC_BORDER,
                                "notebook");

    createMenus();
    createToolBar();

    CreateStatusBar(4, wxSTB_DEFAULT_STYLE, 0);
    SetStatusBarPane(3);

    SetSizeHints(kFrameWidth, kFrameMinHeight, kFrameWidth, kFrameMaxHeight);
    SetSize(100, 20, kFrameWidth, kFrameHeight);

    createToolBarControls();
    createSidePanelControls();
    bufferBook->attachControls(startField, countField, fillField, compareCombo);

    showDisconnected();

    wxTextAttr style(*wxBLACK, wxNullColour,
                     wxFont(10, wxFONTFAMILY_MODERN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false));
    startField->SetDefaultStyle(style);
}

MainFrame::~MainFrame() = default;

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
    toolBar->SetToolBitmapSize(wxSize(kToolSize, kToolSize));
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
    toolBar->Realize();
    SetToolBar(toolBar);
}

void MainFrame::createToolBarControls()
{
    // TODO(layout): container control, real tool button width.
    wxToolBar* toolBar = GetToolBar();
    toolsOrigin_ = 23 * 11 - 180;
    const int t = toolsOrigin_;

    startField = new NumberField(toolBar, ID_NUMBER_FIELD, NumberFilter::Hexadecimal, 4, "0000",
                                 wxPoint(t + 250, 5), wxSize(50, 17), wxTE_RIGHT, "start");
    countField = new NumberField(toolBar, ID_NUMBER_FIELD, NumberFilter::Decimal, 7, "0", wxPoint(t + 350, 5),
                                 wxSize(50, 17), wxTE_RIGHT, "ile");
    fillField = new NumberField(toolBar, ID_NUMBER_FIELD, NumberFilter::Hexadecimal, 2, "FF", wxPoint(t + 100, 5),
                                wxSize(25, 17), wxTE_RIGHT, "ile");

    modelCombo = new wxComboBox(toolBar, ID_MODEL_COMBO, wxEmptyString, wxPoint(t + 410, 3), wxDefaultSize, 0,
                                nullptr, wxCB_READONLY | wxCB_SIMPLE);
    for (const ModelInfo& model : modelTable())
        modelCombo->Append(model.name);
    modelCombo->SetValue(modelTable()[0].name);
    startField->SetValue(wxString::Format("%04X", unsigned(currentModel.eepromStart)));
    countField->SetValue(wxString::Format("%u", unsigned(currentModel.eepromSize)));

    crystalCombo = new wxComboBox(toolBar, ID_CRYSTAL_COMBO, wxEmptyString, wxPoint(t + 540, 4), wxDefaultSize, 0,
                                  nullptr, wxCB_READONLY | wxCB_SIMPLE);
    for (Text item : {texts::CRYSTAL_AUTO, texts::CRYSTAL_16MHZ, texts::CRYSTAL_8MHZ, texts::CRYSTAL_4MHZ})
        crystalCombo->Append(uiText(item));
    crystalCombo->SetValue(uiText(texts::CRYSTAL_AUTO));

    // The labels end 2 pixels left of their field, whatever width they render at.
    auto* startLabel = new wxStaticText(toolBar, 0, uiText(texts::LABEL_START));
    startLabel->Move(startField->GetPosition().x - startLabel->GetSize().x - 2, 7);
    auto* hexMark = new wxStaticText(toolBar, 0, uiText(texts::LABEL_HEX_MARK));
    hexMark->Move(startField->GetPosition().x + startField->GetSize().x + 2, 7);
    auto* countLabel = new wxStaticText(toolBar, 0, uiText(texts::LABEL_COUNT));
    countLabel->Move(countField->GetPosition().x - countLabel->GetSize().x - 2, 7);

    const wxPoint fillAt = fillField->GetPosition();
    new wxButton(toolBar, ID_FILL, uiText(texts::BUTTON_FILL), wxPoint(fillAt.x + 30, fillAt.y - 1), wxSize(50, 20),
                 wxBU_EXACTFIT);
}

void MainFrame::createSidePanelControls()
{
    connectButton = new wxBitmapButton(sidePanel, ID_CONNECT, loadResourceBitmap("connect"), wxPoint(607, 20));
    connectButton->SetDefault();
    readButton = new wxBitmapButton(sidePanel, ID_READ_EEPROM, loadResourceBitmap("read"), wxPoint(607, 135));
    writeButton = new wxBitmapButton(sidePanel, ID_WRITE_EEPROM, loadResourceBitmap("write"), wxPoint(607, 255));

    const wxRect write = writeButton->GetRect();
    selectionCheck = new wxCheckBox(sidePanel, ID_SELECTION_CHECK, uiText(texts::CHECK_SELECTION),
                                    wxPoint(write.x + 3, write.y + write.height + 1));

    const wxRect read = readButton->GetRect();
    const wxRect connect = connectButton->GetRect();
    const wxRect check = selectionCheck->GetRect();
    new wxStaticBox(sidePanel, 0, wxEmptyString, wxPoint(read.x, read.y - 9), wxSize(90, 194), 0);
    new wxStaticBox(sidePanel, 0, wxEmptyString, wxPoint(connect.x, connect.y - 7),
                    wxSize(92, connect.height + 12), 0);
    new wxStaticBox(sidePanel, 0, uiText(texts::BOX_COMPARE), wxPoint(check.x, check.y + check.height + 30),
                    wxSize(90, 40), 0);

    compareCombo = new wxComboBox(sidePanel, ID_COMPARE_COMBO, wxEmptyString,
                                  wxPoint(check.x + 2, check.y + check.height + 47), wxSize(87, 16), 0, nullptr,
                                  wxCB_READONLY | wxCB_SIMPLE);
    compareCombo->Append(bufferBook->GetPageText(bufferBook->GetSelection()));
    compareCombo->Disable();
    compareCombo->SetSelection(0);

    const wxPoint comboAt = compareCombo->GetPosition();
    new wxStaticBitmap(sidePanel, wxID_ANY, loadResourceBitmap("HC12BMP"), wxPoint(comboAt.x, comboAt.y + 30));
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
