// Where every command goes: one table for the whole window. A tool and a menu
// item with the same identifier share a handler; button clicks are routed
// separately from menu commands.
#include <wx/bookctrl.h>

#include "app/Identifiers.h"
#include "app/MainFrame.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MainFrame, wxFrame)
    EVT_MENU(ID_EXIT, MainFrame::onExit)
    EVT_MENU(ID_NEW_BUFFER, MainFrame::onNewBuffer)
    EVT_MENU(ID_CLOSE_BUFFER, MainFrame::onCloseBuffer)
    EVT_MENU(ID_CONNECT, MainFrame::onConnect)
    EVT_BUTTON(ID_CONNECT, MainFrame::onConnect)
    EVT_BUTTON(ID_FILL, MainFrame::onFill)
    EVT_MENU_RANGE(ID_COM1, ID_COM4, MainFrame::onComPort)
    EVT_MENU(ID_READ_EEPROM, MainFrame::onReadEeprom)
    EVT_BUTTON(ID_READ_EEPROM, MainFrame::onReadEeprom)
    EVT_MENU(ID_WRITE_EEPROM, MainFrame::onWriteEeprom)
    EVT_BUTTON(ID_WRITE_EEPROM, MainFrame::onWriteEeprom)
    EVT_MENU(ID_LOAD_FILE, MainFrame::onLoadFile)
    EVT_MENU(ID_SAVE_FILE, MainFrame::onSaveFile)
    EVT_COMBOBOX(ID_COMPARE_COMBO, MainFrame::onCompareCombo)
    EVT_MENU(ID_ABOUT, MainFrame::onAbout)
    EVT_NOTEBOOK_PAGE_CHANGED(ID_BUFFER_BOOK, MainFrame::onPageChanged)
    EVT_COMBOBOX(ID_MODEL_COMBO, MainFrame::onModelCombo)
    EVT_COMBOBOX(ID_CRYSTAL_COMBO, MainFrame::onCrystalCombo)
    EVT_MENU(wxID_ANY, MainFrame::onAnyMenu)
    EVT_CLOSE(MainFrame::onClose)
    EVT_SIZE(MainFrame::onSize)
    EVT_MOUSE_EVENTS(MainFrame::onMouse)
wxEND_EVENT_TABLE()
// clang-format on
