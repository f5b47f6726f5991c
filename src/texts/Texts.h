// Every text the user sees, once, in the program's own words (Polish, typos
// included: users and their notes know the program by them).
//
// Texts are UTF-8 (u8 literals). Hand them to wx only through uiText()
// (the window's app/UiText.h): a narrow literal converted by the C locale becomes an empty
// string under LC_CTYPE=C.
#pragma once

#include <string>
#include <string_view>

using Text = std::u8string_view;

inline std::string toStdString(Text text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

namespace texts {

// Main window
inline constexpr Text FRAME_TITLE = u8"Rovidada DE12 1.5";
inline constexpr Text MENU_FILE = u8"&Plik";
inline constexpr Text MENU_CONNECTION = u8"&Połączenie";
inline constexpr Text ITEM_NEW_BUFFER = u8"&Nowy bufor";
inline constexpr Text ITEM_LOAD_FILE = u8"&Czytaj plik";
inline constexpr Text ITEM_SAVE_FILE = u8"&Zapisz do pliku";
inline constexpr Text ITEM_CLOSE_BUFFER = u8"&Zamknij bufor";
inline constexpr Text ITEM_EXIT = u8"E&xit";
inline constexpr Text ITEM_CONNECT = u8"&Polacz z MCU";
inline constexpr Text ITEM_READ_EEPROM = u8"&Czytaj EEPROM";
inline constexpr Text ITEM_WRITE_EEPROM = u8"&Wczytaj EEPROM";
inline constexpr Text ITEM_COM1 = u8"COM 1";
inline constexpr Text ITEM_COM2 = u8"COM 2";
inline constexpr Text ITEM_COM3 = u8"COM 3";
inline constexpr Text ITEM_COM4 = u8"COM 4";
inline constexpr Text TOOL_NEW = u8"New";
inline constexpr Text TOOL_OPEN = u8"Open";
inline constexpr Text TOOL_SAVE = u8"Save";
inline constexpr Text TOOL_CLOSE = u8"Close";
inline constexpr Text TOOL_HELP = u8"Help";
inline constexpr Text HELP_NEW_BUFFER = u8"Nowy bufor";
inline constexpr Text HELP_LOAD_FILE = u8"Czytaj plik";
inline constexpr Text HELP_SAVE_FILE = u8"Zapisz do pliku";
inline constexpr Text HELP_CLOSE_BUFFER = u8"Zamknij bufor";
inline constexpr Text HELP_ABOUT = u8"O porgramie";
inline constexpr Text LABEL_START = u8"Poczatek:";
inline constexpr Text LABEL_HEX_MARK = u8"H";
inline constexpr Text LABEL_COUNT = u8"Ile:";
inline constexpr Text BUTTON_FILL = u8"Wypełnij";
inline constexpr Text CHECK_SELECTION = u8"Zaznaczenie";
inline constexpr Text BOX_COMPARE = u8"Porównaj z:";
inline constexpr Text CRYSTAL_AUTO = u8"Auto";
inline constexpr Text CRYSTAL_16MHZ = u8"16MHz";
inline constexpr Text CRYSTAL_8MHZ = u8"8MHz";
inline constexpr Text CRYSTAL_4MHZ = u8"4MHz";

// Buttons of the message boxes, whatever the system's language
inline constexpr Text BUTTON_YES = u8"Tak";
inline constexpr Text BUTTON_NO = u8"Nie";
inline constexpr Text BUTTON_CANCEL = u8"Anuluj";
inline constexpr Text BUTTON_OK = u8"OK";

// Captions
inline constexpr Text CAPTION_ERROR = u8"Błąd";
inline constexpr Text CAPTION_WARNING = u8"Ostrzeżenie";
inline constexpr Text CAPTION_INFO = u8"Informacja:";
inline constexpr Text CAPTION_PARAMETERS = u8"Parametry";
inline constexpr Text CAPTION_DIFFERENCES = u8"Różnice";

// About box
inline constexpr Text ABOUT_VERSION = u8"Wersja 1.01";

// Connection state (status field 3)
inline constexpr Text STATE_CONNECTING = u8"Łączenie...";
inline constexpr Text STATE_RESET = u8"Reset.";
inline constexpr Text STATE_CONNECTED = u8"Połączony.";
inline constexpr Text STATE_NOT_CONNECTED = u8"Brak połączenia.";

// Serial port and line errors
inline constexpr Text PORT_OPEN_FAILED = u8"Niewłaściwa nazwa portu lub port jest aktywny.";
inline constexpr Text PORT_DIALOUT_HINT =
    u8"Dodaj swoje konto do grupy dialout (sudo usermod -aG dialout $USER) i zaloguj się ponownie.";
// Why a ROVIDADA_COMn value cannot be used (second line of the port box).
inline constexpr Text PORT_SPEC_NOT_UNDERSTOOD =
    u8"oczekiwano ścieżki urządzenia (/dev/...), sim, sim:MODEL albo sim:MODEL@nMHz";
inline constexpr Text PORT_SPEC_NO_MODEL = u8"brak nazwy modelu po \"sim:\"";
inline constexpr Text PORT_SPEC_BAD_CRYSTAL = u8"nieznany kwarc; dozwolone: 4MHz, 8MHz, 16MHz";
inline constexpr Text PORT_NAME_UNKNOWN = u8"nieznana nazwa portu";
// Why a device could not be opened (second line of the port box, after the device).
inline constexpr Text PORT_REASON_NO_DEVICE = u8"nie ma takiego urządzenia";
inline constexpr Text PORT_REASON_NO_PERMISSION = u8"brak uprawnień do urządzenia";
inline constexpr Text PORT_REASON_IN_USE = u8"port jest używany przez inny program";
inline constexpr Text PORT_REASON_NOT_SERIAL = u8"to nie jest port szeregowy";
inline constexpr Text PORT_REASON_IO_ERROR = u8"błąd wejścia/wyjścia";
// A simulated board of a model it does not know (followed by the name in quotes).
inline constexpr Text SIM_UNKNOWN_MODEL = u8"nieznany model ";
inline constexpr Text LINE_FRAMING_ERROR = u8"Wykryto błędy w ramce";
inline constexpr Text LINE_IO_ERROR = u8"Wykryto błędy I/O";
inline constexpr Text LINE_INPUT_OVERFLOW = u8"Bufor wejścia przepełniony. Nasąpi utrata części danych";
inline constexpr Text LINE_PARITY_ERROR = u8"Wykryto błąd parzystości";
inline constexpr Text LINE_OUTPUT_FULL = u8"Bufor wyjścia przepełniony. Dane nie mogą zostać wysłane";

// Connecting
inline constexpr Text CONNECT_REMOVE_A_TAB = u8"Usnuń jedną z zakładek";
inline constexpr Text CONNECT_CHOOSE_MODEL = u8"Wybierz model mikrokontrolera!";
inline constexpr Text CONNECT_INTERFACE_FAILED = u8"Nieudane połączenie z interfejsem";
inline constexpr Text CONNECT_CRYSTAL_UNKNOWN = u8"Nie moge rozpoznać kwarcu! Wybierz go ręcznie";
inline constexpr Text CONNECT_PROCESSOR_FAILED = u8"Nieudane połączenie z procesorem";
inline constexpr Text PARAMS_RAM = u8"RAM: ";
inline constexpr Text PARAMS_KB = u8" KB  ";
inline constexpr Text PARAMS_EEPROM = u8"EEPROM: ";
inline constexpr Text PARAMS_START = u8"Początek: 0x";
inline constexpr Text PARAMS_START_LOW = u8"00";
inline constexpr Text MONITOR_PAGE = u8"Monitor";
inline constexpr Text BUFFER_BASE_NAME = u8"Buf";

// Reading and writing the EEPROM
inline constexpr Text CONNECTION_LOST = u8"Utracono połącznie z interfejsem! ";
inline constexpr Text READ_RESULT = u8"Przeczytano  ";
inline constexpr Text WRITE_RESULT = u8"Zapisano  ";
inline constexpr Text UNIT_BYTE = u8"  bajt.";
inline constexpr Text UNIT_BYTES_FEW = u8"  bajty.";
inline constexpr Text UNIT_BYTES_MANY = u8"  bajtów.";
inline constexpr Text WRITE_ALL_PROTECTED = u8"Cały EEPROM jest zabespieczony przed zapisem!";
inline constexpr Text WRITE_LAST_PROTECTED_1 = u8"Ostatnie ";
inline constexpr Text WRITE_LAST_PROTECTED_2 = u8"bajty EEPROMu są chronione przed zapisem!";
inline constexpr Text WRITE_ECLKDIV_NOT_SET = u8"Nie ustawiono ECLKDIV!";
inline constexpr Text WRITE_ESTAT_ERRORS = u8"Błędy w rejestrze ESTAT!";
inline constexpr Text WRITE_PVIOL_ERRORS = u8"Błędy PVIOL w rejestrze ESTAT !";
inline constexpr Text WRITE_FAILED_1 = u8"Nie udało się zapisać ";
inline constexpr Text WRITE_FAILED_2 = u8"komórek";
inline constexpr Text WRITE_CONTINUE = u8"Czy kontynuować?";
inline constexpr Text WRITE_FAILED_COUNT = u8"Nieudanych zapisów:  ";

// Buffers
inline constexpr Text TABS_LIMIT = u8"Osiągnięto maksimum zakładek!";
inline constexpr Text GRID_CHAR_COLUMNS = u8"ASCII"; // one letter over each of the first five character columns
inline constexpr Text COMPARE_TOTAL = u8"Razem:  ";
inline constexpr Text COMPARE_ONE = u8"  różnica.";
inline constexpr Text COMPARE_FEW = u8"  różnice.";
inline constexpr Text COMPARE_MANY = u8"  różnic.";
inline constexpr Text COMPARE_IDENTICAL = u8"Bufory są identyczne!";
inline constexpr Text COMPARE_JOIN = u8" i ";

// Files
inline constexpr Text FILE_CHOOSE = u8"Wybierz plik.";
inline constexpr Text FILE_CANNOT_OPEN = u8"Nie moge otworzyc pliku";
inline constexpr Text FILE_LARGER_THAN_BUFFER = u8"Plik jest większy niż wczytywana pamięć! .\nCzy otworzyć mimo to?";
inline constexpr Text FILE_VERY_LARGE = u8"Plik jest bardzo duży i wczytywanie moze zajac duzo czasu.Czy kontynuować?";
inline constexpr Text FILE_TOO_LARGE = u8"Plik jest za duży: bufor mieści najwyżej 9999999 bajtów.";
inline constexpr Text LOAD_RESULT = u8"Wczytano ";
inline constexpr Text UNIT_KB = u8"  KB";

} // namespace texts
