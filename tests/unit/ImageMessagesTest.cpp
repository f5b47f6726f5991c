// Each problem of a record file in the program's words, naming its line.
#include <gtest/gtest.h>

#include "images/ImageMessages.h"

TEST(ImageMessagesTest, EachProblemNamesItsLineAndWhatIsWrong)
{
    using P = RecordProblem;
    const struct {
        ImageFormat format;
        RecordError error;
        const char* text;
    } cases[] = {
        {ImageFormat::SRecord, {.problem = P::NotARecord, .line = 2}, "Wiersz 2: to nie jest rekord tego formatu."},
        {ImageFormat::SRecord, {.problem = P::NotHexDigit, .line = 3, .column = 7, .character = 'G'},
         "Wiersz 3, znak 7: oczekiwano cyfry szesnastkowej, jest „G”."},
        {ImageFormat::SRecord, {.problem = P::NotHexDigit, .line = 3, .column = 7, .character = '\x07'},
         "Wiersz 3, znak 7: oczekiwano cyfry szesnastkowej, jest bajt 07."},
        {ImageFormat::SRecord, {.problem = P::LineTooShort, .line = 4, .found = 14, .expected = 16},
         "Wiersz 4: wiersz za krótki (ma długość 14, rekord wymaga 16)."},
        {ImageFormat::SRecord, {.problem = P::LineTooLong, .line = 4, .found = 18, .expected = 16},
         "Wiersz 4: wiersz za długi (ma długość 18, rekord wymaga 16)."},
        {ImageFormat::SRecord, {.problem = P::BadLength, .line = 5, .recordType = 9, .found = 4},
         "Wiersz 5: bajt długości 04 nie pasuje do rekordu S9."},
        {ImageFormat::IntelHex, {.problem = P::BadLength, .line = 5, .recordType = 1, .found = 4},
         "Wiersz 5: bajt długości 04 nie pasuje do rekordu typu 01."},
        {ImageFormat::SRecord, {.problem = P::BadChecksum, .line = 6, .found = 0xE9, .expected = 0xE8},
         "Wiersz 6: zła suma kontrolna (jest E9, powinna być E8)."},
        {ImageFormat::SRecord, {.problem = P::UnknownType, .line = 7, .recordType = 4},
         "Wiersz 7: nieznany typ rekordu S4."},
        {ImageFormat::SRecord, {.problem = P::AfterEnd, .line = 9, .otherLine = 8},
         "Wiersz 9: rekord po rekordzie końcowym z wiersza 8."},
        {ImageFormat::SRecord, {.problem = P::CountMismatch, .line = 10, .recordType = 5, .found = 2, .expected = 3},
         "Wiersz 10: rekord S5 podaje liczbę rekordów danych 2, a przed nim jest ich 3."},
        {ImageFormat::IntelHex,
         {.problem = P::BeyondAddressSpace, .line = 11, .address = 0x10000, .lastAddress = 0x1001F},
         "Wiersz 11: dane pod adresami 010000–01001F wychodzą poza 16-bitową przestrzeń adresową (0000–FFFF)."},
        {ImageFormat::SRecord, {.problem = P::Overlap, .line = 12, .otherLine = 2, .address = 0x0805},
         "Wiersze 2 i 12: rekordy podają różne bajty pod adresem 0805."},
        {ImageFormat::IntelHex, {.problem = P::NoEndRecord}, "Plik kończy się bez rekordu końca pliku (typ 01)."},
        {ImageFormat::SRecord, {.problem = P::NoData}, "Plik nie zawiera żadnego rekordu danych."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recordErrorText(c.format, c.error), c.text);
}

// The box for a file too large quotes the buffer's limit: a change of one
// without the other would tell the user a wrong number.
TEST(ImageMessagesTest, TheTooLargeBoxQuotesTheBufferLimit)
{
    MemoryImageLoad load;
    load.failure = ImageFileFailure::TooLarge;
    const std::string text = loadFailureText(load);
    EXPECT_NE(text.find(" " + std::to_string(MAX_BUFFER_BYTES) + " "), std::string::npos) << text;
}
