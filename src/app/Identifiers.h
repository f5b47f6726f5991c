// Command and control identifiers. Their values are part of the program: menu
// items, tools and buttons that share a value reach the same handler.
#pragma once

enum : int {
    ID_EXIT = 5999,
    ID_NEW_BUFFER = 6000,
    ID_CLOSE_BUFFER = 6005,
    ID_CONNECT = 6006,
    ID_FILL = 6007,
    ID_COM1 = 6008,
    ID_COM2 = 6009,
    ID_COM3 = 6010,
    ID_COM4 = 6011,
    ID_READ_EEPROM = 6015,
    ID_WRITE_EEPROM = 6016,
    ID_SELECTION_CHECK = 6017,
    ID_LOAD_FILE = 6018,
    ID_SAVE_FILE = 6019,
    ID_COMPARE_COMBO = 6021,
    ID_ABOUT = 6022,
    ID_TOOLBAR = 6025,
    ID_BUFFER_BOOK = 6026,
    ID_NUMBER_FIELD = 6028,
    ID_MODEL_COMBO = 6029,
    ID_CRYSTAL_COMBO = 6030,
};
