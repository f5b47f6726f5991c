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

// Start-up: the system would not make the main window
inline constexpr Text WINDOW_NOT_CREATED = u8"Nie można utworzyć okna programu.";

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
inline constexpr Text PORT_VALUE_NOT_UNDERSTOOD =
    u8"oczekiwano ścieżki urządzenia (/dev/...), sim, sim:MODEL, sim:MODEL@nMHz albo rfc2217://HOST:PORT";
inline constexpr Text PORT_VALUE_NO_MODEL = u8"brak nazwy modelu po \"sim:\"";
inline constexpr Text PORT_VALUE_BAD_CRYSTAL = u8"nieznany kwarc; dozwolone: 4MHz, 8MHz, 16MHz";
inline constexpr Text PORT_NAME_UNKNOWN = u8"nieznana nazwa portu";
inline constexpr Text PORT_VALUE_BAD_RFC2217 =
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
// Why a file could not be read or written (second line of the file boxes).
inline constexpr Text FILE_REASON_NO_FILE = u8"Nie ma takiego pliku ani folderu";
inline constexpr Text FILE_REASON_NO_PERMISSION = u8"Brak uprawnień";
inline constexpr Text FILE_REASON_IS_FOLDER = u8"To jest folder, nie plik";
inline constexpr Text FILE_REASON_NOT_FOLDER = u8"Część ścieżki nie jest folderem";
inline constexpr Text FILE_REASON_IO_ERROR = u8"Błąd wejścia/wyjścia";
inline constexpr Text FILE_REASON_NO_SPACE = u8"Brak miejsca na dysku";
inline constexpr Text FILE_REASON_QUOTA = u8"Przekroczony przydział miejsca na dysku";
inline constexpr Text FILE_REASON_READ_ONLY = u8"System plików tylko do odczytu";
inline constexpr Text FILE_REASON_TOO_LARGE = u8"Plik przekracza dozwolony rozmiar";
inline constexpr Text FILE_REASON_NAME_TOO_LONG = u8"Za długa nazwa pliku";
inline constexpr Text FILE_REASON_BUSY = u8"Plik jest zajęty";
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
// A buffer that would need more memory than the system gives; every buffer stays as it was.
inline constexpr Text BUFFER_NO_MEMORY = u8"Za mało pamięci: bufor nie może urosnąć.";
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

// The command line (rovidada-de12-cli). Its own texts are in English, as the
// tools it sits beside (avrdude, stm32flash, esptool) are; where the window has
// a text for the same thing, the command line prints the window's.
inline constexpr Text CLI_PROGRAM = u8"rovidada-de12-cli";
inline constexpr Text CLI_VERSION = u8"rovidada-de12-cli 1.5";
inline constexpr Text CLI_HELP = u8R"(Usage: rovidada-de12-cli [OPTIONS] COMMAND [FILE...]

Reads, writes and verifies the EEPROM of HC12 and MC9S12 microcontrollers
through the Rovidada DE12 adapter, with the same frames and pauses as the
window, and without a display.

Commands:
  ports          list the serial ports: device, /dev/serial/by-id names, COMn
  models         list the models, with their EEPROM start and size
  connect        reset the adapter, check its greeting, choose or detect the
                 crystal (MC9S12: ask for the memory sizes); say what it found
  read -o FILE   read the EEPROM into FILE ("-": standard output)
  write FILE     erase, program and verify FILE into the EEPROM, with retries
                 ("-": standard input); failed cells are listed by address
  verify FILE    read the EEPROM back and list every address that differs
                 from FILE, with both values
  diff A B       compare two image files offline, like the window's
                 "Porównaj z": every differing offset with both values
  help           this text

Options (before or after the command):
  -p, --port PORT        COM1, COM2, ... (resolved as in the window: the
                         variable ROVIDADA_COMn first, then the n-th serial
                         port), a device path such as /dev/serial/by-id/...,
                         sim or sim:MODEL@nMHz (a simulated board);
                         default: $ROVIDADA_PORT, else COM1
  -m, --model MODEL      the target's model, as "models" lists it
                         (needed by connect, read, write and verify)
  -c, --crystal MHZ      16, 8, 4 or auto (default: detected while connecting)
  -s, --start HEX        first address, even (default: the EEPROM's start;
                         MC9S12: as the chip reports it); not for record files
  -n, --count N          bytes to read (default: the EEPROM's size)
  -o, --output FILE      the file read writes (replaced only once complete)
      --on-failures WHAT when a write has failed on 5 % or 10 % of its cells:
                         ask (on the terminal, the default; without one: stop),
                         stop or continue
      --json             print one summary object on standard output (port,
                         device, model, crystal, operation, start, count,
                         failed cells, retries, seconds, CRC-32 of the image)
  -q, --quiet            no progress and no result lines; errors only
  -h, --help             this text
  -V, --version          the version

Images are raw binary (byte k of the file is the byte at start + k),
S-records or Intel HEX (which name their own addresses; a gap in them keeps
the EEPROM's byte on HC12 parts), recognised by their content; read writes the
format its output's name ends in (.s19, .s28, .s37, .mot, .srec, .hex, .ihx),
raw for any other.
Progress (bytes, rate, time left) goes to standard error while it is a
terminal. Several boards can be served at once, one process per port; a port
in use by another process is refused at once.

Exit status:
  0    done
  1    cells failed after a write, or differences after a verify or a diff
  2    usage: unknown command, option or model, a bad start or count
  3    file: an image that cannot be read or is too large, an output that
       cannot be written (nothing half-written is left)
  4    the port cannot be opened (missing, in use, no permission)
  5    the adapter did not greet: no greeting, or a wrong one
  6    the target did not answer, or the connection was lost
  7    the target refused: EEPROM protected, ECLKDIV not set, ESTAT errors
  130  interrupted (Ctrl+C or SIGTERM): the word in progress is completed,
       the port released, and the result line says how far it got; a second
       Ctrl+C ends the program at once

Examples:
  rovidada-de12-cli ports
  rovidada-de12-cli -p /dev/ttyUSB0 -m HC912D60x read -o board.bin
  rovidada-de12-cli -p COM2 -m MC9S12DT128 --on-failures stop write board.bin
  rovidada-de12-cli -p COM2 -m MC9S12DT128 --json verify board.bin
  rovidada-de12-cli -p sim:HC12B@8MHz -m HC12B -s 0D00 -n 64 read -o - | xxd
  rovidada-de12-cli diff old.bin new.bin
  printf '%s\n' /dev/ttyUSB0 /dev/ttyUSB1 |
    xargs -P2 -I{} rovidada-de12-cli -q -p {} -m HC12B write board.bin
)";
inline constexpr Text CLI_SEE_HELP = u8" (see rovidada-de12-cli --help)";
inline constexpr Text CLI_NO_COMMAND = u8"no command given";
inline constexpr Text CLI_UNKNOWN_COMMAND = u8"unknown command '{command}'";
inline constexpr Text CLI_UNKNOWN_OPTION = u8"unknown option '{option}'";
inline constexpr Text CLI_OPTION_NEEDS_VALUE = u8"option '{option}' needs a value";
inline constexpr Text CLI_OPTION_TAKES_NO_VALUE = u8"option '{option}' takes no value";
inline constexpr Text CLI_OPTION_NOT_FOR_COMMAND = u8"option '{option}' does not apply to '{command}'";
inline constexpr Text CLI_UNKNOWN_MODEL = u8"unknown model '{model}' (models: {models})";
inline constexpr Text CLI_MODEL_MISSING = u8"'{command}' needs the model: -m MODEL (models: {models})";
inline constexpr Text CLI_BAD_START = u8"start '{start}' is not a hexadecimal address from 0000 to FFFF";
inline constexpr Text CLI_ODD_START = u8"start {start} is odd: the EEPROM is read and written a word (two bytes) at a time";
inline constexpr Text CLI_BAD_COUNT = u8"count '{count}' is not a number from 1 to 65536";
inline constexpr Text CLI_RANGE_PAST_END = u8"start {start} and count {count} run past address FFFF";
inline constexpr Text CLI_BAD_CRYSTAL = u8"crystal '{crystal}' is not 16, 8, 4 or auto";
inline constexpr Text CLI_BAD_ON_FAILURES = u8"--on-failures '{answer}' is not ask, stop or continue";
inline constexpr Text CLI_ARGUMENT_COUNT = u8"'{command}' takes {takes}, not {given}";
inline constexpr Text CLI_TAKES_NOTHING = u8"no file";
inline constexpr Text CLI_TAKES_ONE_FILE = u8"one image file";
inline constexpr Text CLI_TAKES_TWO_FILES = u8"two image files";
inline constexpr Text CLI_OUTPUT_MISSING = u8"'read' needs the output: -o FILE (\"-\" for standard output)";
inline constexpr Text CLI_JSON_AND_STDOUT = u8"--json and -o - cannot share standard output";
inline constexpr Text CLI_STDIN_IS_TERMINAL = u8"standard input is a terminal: name an image file, or pipe one in";
inline constexpr Text CLI_STDOUT_IS_TERMINAL = u8"standard output is a terminal: name a file, or pipe the image on";
inline constexpr Text CLI_START_FOR_RAW_ONLY = u8"{file} names its own addresses: -s is for raw images";
inline constexpr Text CLI_IMAGE_EMPTY = u8"{file}: the image is empty, there is nothing to write";
inline constexpr Text CLI_IMAGE_DOES_NOT_FIT = u8"{file}: {count} bytes from {start} do not fit the EEPROM, {first} to {last}";
inline constexpr Text CLI_FILE_FAILURE = u8"{file}: {text}"; // the window's text, and the reason
inline constexpr Text CLI_INTERRUPTED = u8"interrupted: stopped between two words, the port is released";
inline constexpr Text CLI_INTERRUPTED_AFTER_CONNECT = u8"interrupted: stopped after connecting, before the {operation}";
inline constexpr Text CLI_ANSWER_PROMPT = u8" [t/N] ";
inline constexpr Text CLI_NO_TERMINAL_TO_ASK = u8"no terminal to ask: stopping (--on-failures continue goes on)";
inline constexpr Text CLI_REPORT_PORT = u8"port     {port}";
inline constexpr Text CLI_REPORT_DEVICE = u8" ({device})";
inline constexpr Text CLI_REPORT_MODEL = u8"model    {model}";
inline constexpr Text CLI_REPORT_CRYSTAL_DETECTED = u8"crystal  {mhz} MHz, detected";
inline constexpr Text CLI_REPORT_CRYSTAL_CHOSEN = u8"crystal  {mhz} MHz, chosen";
inline constexpr Text CLI_REPORT_EEPROM = u8"EEPROM   {start}, {count} bytes";
inline constexpr Text CLI_FAILED_CELL = u8"{address}: {wanted} not written";
inline constexpr Text CLI_DIFFERING_CELL = u8"{address}: file {file}, EEPROM {eeprom}";
inline constexpr Text CLI_UNSTABLE_CELL = u8"{address}: {value} read unstable, its two readings differed";
inline constexpr Text CLI_DIFF_CELL = u8"{offset}: {first} {second}";
inline constexpr Text CLI_NO_BYTE = u8"--";
inline constexpr Text CLI_DIFF_SIZES = u8"sizes differ: {first} has {firstCount} bytes, {second} {secondCount}";
inline constexpr Text CLI_SAVED = u8"{file}: {count} bytes, CRC-32 {crc}";
inline constexpr Text CLI_PORT_ROW = u8"{port} {device}"; // the port name padded to six
inline constexpr Text CLI_PORT_FROM_VARIABLE = u8"  (ROVIDADA_{port})";
inline constexpr Text CLI_PORT_NO_DEVICE = u8"  (no such device)";
inline constexpr Text CLI_PORT_NO_COM = u8"-";
inline constexpr Text CLI_MODEL_ROW = u8"{model} {start} {size} bytes  {family}"; // name padded to 12, size to 6
inline constexpr Text CLI_FAMILY_HC12 = u8"HC12";
inline constexpr Text CLI_FAMILY_MC9S12 = u8"MC9S12 (start and size as the chip reports them)";
inline constexpr Text CLI_PROGRESS = u8"{done}/{total} bytes  {rate} B/s  {left} left";

} // namespace texts
