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
    u8"oczekiwano ścieżki urządzenia (/dev/...), sim, sim:MODEL, sim:MODEL@nMHz albo rfc2217://HOST:PORT";
inline constexpr Text PORT_SPEC_NO_MODEL = u8"brak nazwy modelu po \"sim:\"";
inline constexpr Text PORT_SPEC_BAD_CRYSTAL = u8"nieznany kwarc; dozwolone: 4MHz, 8MHz, 16MHz";
inline constexpr Text PORT_NAME_UNKNOWN = u8"nieznana nazwa portu";
inline constexpr Text PORT_SPEC_BAD_RFC2217 =
    u8"oczekiwano rfc2217://HOST:PORT (port 1-65535, adres IPv6 w nawiasach, np. rfc2217://[::1]:4001)";
// Why a serial port on another machine (rfc2217://...) cannot be used.
inline constexpr Text NET_HOST_UNKNOWN = u8"nieznana nazwa hosta";
inline constexpr Text NET_LOOKUP_TIMEOUT = u8"serwer nazw nie odpowiedział w wyznaczonym czasie";
inline constexpr Text NET_CONNECTION_REFUSED = u8"serwer odrzucił połączenie (czy ser2net działa i słucha na tym porcie?)";
inline constexpr Text NET_HOST_UNREACHABLE = u8"host jest nieosiągalny";
inline constexpr Text NET_CONNECT_TIMEOUT = u8"serwer nie odpowiedział w wyznaczonym czasie";
inline constexpr Text NET_NO_NEGOTIATION =
    u8"serwer nie uzgodnił RFC 2217 w wyznaczonym czasie (czy accepter w ser2net.yaml to telnet(rfc2217)?)";
inline constexpr Text NET_COM_PORT_REFUSED = u8"serwer nie obsługuje RFC 2217 (Telnet COM-PORT-OPTION)";
inline constexpr Text NET_BINARY_REFUSED = u8"serwer odmówił binarnego trybu Telnet";
inline constexpr Text NET_SETTINGS_REFUSED = u8"serwer nie ustawił linii 38400 8N1";
inline constexpr Text NET_SERVER_CLOSED = u8"serwer zamknął połączenie (port może być zajęty przez innego klienta)";
inline constexpr Text NET_BAD_TELNET = u8"serwer przysłał błędne dane Telnet";
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

// The grid's context menu (its only place besides the shortcuts shown beside each item)
inline constexpr Text GRID_COPY = u8"&Kopiuj";
inline constexpr Text GRID_PASTE = u8"&Wklej";
inline constexpr Text GRID_UNDO = u8"&Cofnij";
inline constexpr Text GRID_REDO = u8"&Ponów";
inline constexpr Text GRID_EMPTY_CELLS = u8"&Opróżnij komórki";
inline constexpr Text GRID_GO_TO = u8"&Idź do adresu...";
inline constexpr Text GRID_FIND = u8"&Znajdź...";
inline constexpr Text GRID_FIND_NEXT = u8"Znajdź &następny";
inline constexpr Text GRID_FIND_PREVIOUS = u8"Znajdź poprz&edni";
inline constexpr Text GRID_NEXT_MARKED = u8"Następna czerwona komó&rka";
inline constexpr Text GRID_PREVIOUS_MARKED = u8"Poprzednia czerwona kom&órka";

// Editing the grid: notes in status field 0, boxes, the go-to and find boxes
inline constexpr Text NOTE_COPIED = u8"Skopiowano do schowka bajtów: ";
inline constexpr Text NOTE_PASTED = u8"Wklejono bajtów: ";
inline constexpr Text NOTE_PASTE_CUT_OF = u8" z ";
inline constexpr Text NOTE_PASTE_CUT_REST = u8"; reszta nie mieści się w buforze.";
inline constexpr Text NOTE_CLIPBOARD_EMPTY = u8"Schowek nie zawiera tekstu do wklejenia.";
inline constexpr Text NOTE_CLIPBOARD_UNAVAILABLE = u8"Schowek jest niedostępny.";
inline constexpr Text NOTE_NOTHING_TO_UNDO = u8"Nie ma zmian do cofnięcia.";
inline constexpr Text NOTE_NOTHING_TO_REDO = u8"Nie ma zmian do ponowienia.";
inline constexpr Text NOTE_FOUND_AT = u8"Znaleziono pod adresem ";
inline constexpr Text NOTE_MARKED_AT = u8"Czerwona komórka pod adresem ";
inline constexpr Text NOTE_WRAPPED_PAST_END = u8" (szukanie przeszło przez koniec bufora i zaczęło od początku).";
inline constexpr Text NOTE_WRAPPED_PAST_START = u8" (szukanie przeszło przez początek bufora i zaczęło od końca).";
inline constexpr Text NOTE_NOT_FOUND = u8"Nie znaleziono: ";
inline constexpr Text NOTE_NO_MARKED_CELLS = u8"W buforze nie ma czerwonych komórek.";
inline constexpr Text TEXT_NOT_HEX_1 = u8"To nie są bajty szesnastkowe (na przykład 0A 1F FF): „";
inline constexpr Text TEXT_ODD_DIGITS_1 = u8"Bajt to dwie cyfry szesnastkowe, a tu jest ich nieparzysta liczba: „";
inline constexpr Text TEXT_QUOTE_END = u8"”.";
inline constexpr Text PASTE_NOTHING_CHANGED = u8"\nBufor nie został zmieniony.";
inline constexpr Text GO_TO_CAPTION = u8"Idź do adresu";
inline constexpr Text GO_TO_PROMPT = u8"Adres szesnastkowo, od ";
inline constexpr Text RANGE_TO = u8" do ";
inline constexpr Text GO_TO_NOT_HEX = u8"To nie jest adres szesnastkowy: „";
inline constexpr Text GO_TO_OUTSIDE_1 = u8"Adres ";
inline constexpr Text GO_TO_OUTSIDE_2 = u8" leży poza buforem: bufor sięga od ";
inline constexpr Text FIND_CAPTION = u8"Znajdź";
inline constexpr Text FIND_PROMPT_HEX = u8"Bajty szesnastkowo (?? oznacza dowolny bajt):";
inline constexpr Text FIND_PROMPT_TEXT = u8"Tekst (znaki Windows-1250):";
inline constexpr Text FIND_ONLY_WILDCARDS = u8"Wzorzec ma same ??: podaj choć jeden bajt.";
inline constexpr Text FIND_FOREIGN_CHARACTER_1 = u8"Znaku „";
inline constexpr Text FIND_FOREIGN_CHARACTER_2 = u8"” nie ma wśród znaków Windows-1250 widoku znaków.";
inline constexpr Text FIND_LONGER_THAN_BUFFER = u8"Wzorzec jest dłuższy niż bufor.";

// No lost edits
inline constexpr Text CLOSE_CHANGED_BUFFER_1 = u8"Bufor „";
inline constexpr Text CLOSE_CHANGED_BUFFER_2 = u8"” został zmieniony.\nCzy odrzucić zmiany?";
inline constexpr Text EXIT_CHANGED_BUFFERS_1 = u8"Zmienione bufory: ";
inline constexpr Text EXIT_CHANGED_BUFFERS_2 = u8".\nCzy odrzucić zmiany i zakończyć?";

// Files
inline constexpr Text FILE_CHOOSE = u8"Wybierz plik.";
inline constexpr Text FILE_CANNOT_OPEN = u8"Nie moge otworzyc pliku";
inline constexpr Text FILE_LARGER_THAN_BUFFER = u8"Plik jest większy niż wczytywana pamięć! .\nCzy otworzyć mimo to?";
inline constexpr Text FILE_VERY_LARGE = u8"Plik jest bardzo duży i wczytywanie moze zajac duzo czasu.Czy kontynuować?";
inline constexpr Text FILE_TOO_LARGE = u8"Plik jest za duży: bufor mieści najwyżej 9999999 bajtów.";
inline constexpr Text LOAD_RESULT = u8"Wczytano ";
inline constexpr Text UNIT_KB = u8"  KB";
// Beside the result of an S-record or Intel HEX load: the addresses its data spans.
inline constexpr Text LOAD_ADDRESSES = u8"Adresy {first}–{last}";
// File dialog filters: a name, then the patterns (lower case first: the save
// dialog adds its extension to a name typed without one).
inline constexpr Text FILTER_ALL_FILES = u8"Wszystkie pliki (*)|*";
inline constexpr Text FILTER_RAW = u8"Obraz binarny (*.bin)|*";
inline constexpr Text FILTER_SRECORD =
    u8"S-record (*.s19, *.s28, *.s37, *.mot, *.srec)|*.s19;*.s28;*.s37;*.mot;*.srec;*.S19;*.S28;*.S37;*.MOT;*.SREC";
inline constexpr Text FILTER_INTEL_HEX = u8"Intel HEX (*.hex, *.ihx)|*.hex;*.ihx;*.HEX;*.IHX";
inline constexpr Text SAVE_BEYOND_ADDRESS_SPACE =
    u8"Bufor sięga poza adres FFFF, a pliki S-record i Intel HEX mieszczą tylko adresy 0000–FFFF. "
    u8"Nic nie zapisano; zapisz bufor jako obraz binarny.";

// S-record and Intel HEX files that cannot be read; {name} parts are filled in.
inline constexpr Text RECORDS_BROKEN_SRECORD = u8"Błąd w pliku S-record, nic nie wczytano:";
inline constexpr Text RECORDS_BROKEN_INTEL_HEX = u8"Błąd w pliku Intel HEX, nic nie wczytano:";
inline constexpr Text RECORD_NOT_A_RECORD = u8"Wiersz {line}: to nie jest rekord tego formatu.";
inline constexpr Text RECORD_NOT_HEX_DIGIT =
    u8"Wiersz {line}, znak {column}: oczekiwano cyfry szesnastkowej, jest {character}.";
inline constexpr Text RECORD_CHARACTER = u8"„{character}”";
inline constexpr Text RECORD_CHARACTER_CODE = u8"bajt {code}";
inline constexpr Text RECORD_LINE_TOO_SHORT =
    u8"Wiersz {line}: wiersz za krótki (ma długość {found}, rekord wymaga {expected}).";
inline constexpr Text RECORD_LINE_TOO_LONG =
    u8"Wiersz {line}: wiersz za długi (ma długość {found}, rekord wymaga {expected}).";
inline constexpr Text RECORD_BAD_LENGTH = u8"Wiersz {line}: bajt długości {found} nie pasuje do rekordu {type}.";
inline constexpr Text RECORD_BAD_CHECKSUM =
    u8"Wiersz {line}: zła suma kontrolna (jest {found}, powinna być {expected}).";
inline constexpr Text RECORD_UNKNOWN_TYPE = u8"Wiersz {line}: nieznany typ rekordu {type}.";
inline constexpr Text RECORD_AFTER_END = u8"Wiersz {line}: rekord po rekordzie końcowym z wiersza {other}.";
inline constexpr Text RECORD_COUNT_MISMATCH =
    u8"Wiersz {line}: rekord {type} podaje liczbę rekordów danych {found}, a przed nim jest ich {expected}.";
inline constexpr Text RECORD_BEYOND_ADDRESS_SPACE =
    u8"Wiersz {line}: dane pod adresami {address}–{last} wychodzą poza 16-bitową przestrzeń adresową (0000–FFFF).";
inline constexpr Text RECORD_OVERLAP = u8"Wiersze {other} i {line}: rekordy podają różne bajty pod adresem {address}.";
inline constexpr Text RECORD_NO_END = u8"Plik kończy się bez rekordu końca pliku (typ 01).";
inline constexpr Text RECORD_NO_DATA = u8"Plik nie zawiera żadnego rekordu danych.";
inline constexpr Text RECORD_TYPE_SRECORD = u8"S{type}";
inline constexpr Text RECORD_TYPE_INTEL_HEX = u8"typu {type}";

} // namespace texts
