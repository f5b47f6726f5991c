// Each problem of a record file in the program's words, naming its line.
#include <gtest/gtest.h>

#include "images/ImageMessages.h"

namespace {

RecordError problem(RecordProblem kind, std::size_t line)
{
    RecordError error;
    error.problem = kind;
    error.line = line;
    return error;
}

} // namespace

TEST(ImageMessagesTest, EachProblemNamesItsLineAndWhatIsWrong)
{
    RecordError notHex = problem(RecordProblem::notHexDigit, 3);
    notHex.column = 7;
    notHex.character = 'G';
    RecordError notHexControl = notHex;
    notHexControl.character = '\x07';
    RecordError tooShort = problem(RecordProblem::lineTooShort, 4);
    tooShort.found = 14;
    tooShort.expected = 16;
    RecordError tooLong = tooShort;
    tooLong.problem = RecordProblem::lineTooLong;
    tooLong.found = 18;
    RecordError badLength = problem(RecordProblem::badLength, 5);
    badLength.found = 4;
    badLength.recordType = 9;
    RecordError checksum = problem(RecordProblem::badChecksum, 6);
    checksum.found = 0xE9;
    checksum.expected = 0xE8;
    RecordError unknown = problem(RecordProblem::unknownType, 7);
    unknown.recordType = 4;
    RecordError afterEnd = problem(RecordProblem::afterEnd, 9);
    afterEnd.otherLine = 8;
    RecordError count = problem(RecordProblem::countMismatch, 10);
    count.recordType = 5;
    count.found = 2;
    count.expected = 3;
    RecordError beyond = problem(RecordProblem::beyondAddressSpace, 11);
    beyond.address = 0x10000;
    beyond.lastAddress = 0x1001F;
    RecordError overlap = problem(RecordProblem::overlap, 12);
    overlap.otherLine = 2;
    overlap.address = 0x0805;

    const struct {
        ImageFormat format;
        RecordError error;
        const char* text;
    } cases[] = {
        {ImageFormat::sRecord, problem(RecordProblem::notARecord, 2), "Wiersz 2: to nie jest rekord tego formatu."},
        {ImageFormat::sRecord, notHex, "Wiersz 3, znak 7: oczekiwano cyfry szesnastkowej, jest „G”."},
        {ImageFormat::sRecord, notHexControl, "Wiersz 3, znak 7: oczekiwano cyfry szesnastkowej, jest bajt 07."},
        {ImageFormat::sRecord, tooShort, "Wiersz 4: wiersz za krótki (ma długość 14, rekord wymaga 16)."},
        {ImageFormat::sRecord, tooLong, "Wiersz 4: wiersz za długi (ma długość 18, rekord wymaga 16)."},
        {ImageFormat::sRecord, badLength, "Wiersz 5: bajt długości 04 nie pasuje do rekordu S9."},
        {ImageFormat::intelHex, badLength, "Wiersz 5: bajt długości 04 nie pasuje do rekordu typu 09."},
        {ImageFormat::sRecord, checksum, "Wiersz 6: zła suma kontrolna (jest E9, powinna być E8)."},
        {ImageFormat::sRecord, unknown, "Wiersz 7: nieznany typ rekordu S4."},
        {ImageFormat::sRecord, afterEnd, "Wiersz 9: rekord po rekordzie końcowym z wiersza 8."},
        {ImageFormat::sRecord, count, "Wiersz 10: rekord S5 podaje liczbę rekordów danych 2, a przed nim jest ich 3."},
        {ImageFormat::intelHex, beyond,
         "Wiersz 11: dane pod adresami 010000–01001F wychodzą poza 16-bitową przestrzeń adresową (0000–FFFF)."},
        {ImageFormat::sRecord, overlap, "Wiersze 2 i 12: rekordy podają różne bajty pod adresem 0805."},
        {ImageFormat::intelHex, problem(RecordProblem::noEndRecord, 0),
         "Plik kończy się bez rekordu końca pliku (typ 01)."},
        {ImageFormat::sRecord, problem(RecordProblem::noData, 0), "Plik nie zawiera żadnego rekordu danych."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recordErrorText(c.format, c.error), c.text);
}
