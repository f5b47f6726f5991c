// The number fields' editing rule: which characters stay, how a full field
// makes room for a typed one, and where the caret goes back to.
#include <gtest/gtest.h>

#include "store/NumberFieldRule.h"

namespace {

struct Case {
    const char* what;
    const wchar_t* text; // the field's text right after the user's change
    long caret;
    NumberFilter filter;
    int maxLength;
    const wchar_t* cleaned;
    long caretAfter;
};

constexpr auto Hex = NumberFilter::Hexadecimal;
constexpr auto Dec = NumberFilter::Decimal;

const Case cases[] = {
    // Filters
    {"hex keeps digits and letters A-F, upper-cased", L"0a1B2c", 6, Hex, 0, L"0A1B2C", 6},
    {"hex drops other letters and signs", L"0g-x 1", 6, Hex, 0, L"01", 2},
    {"decimal drops letters, hex ones too", L"5x1A2", 2, Dec, 7, L"512", 2},
    {"decimal drops signs and spaces", L"-1 024+", 7, Dec, 7, L"1024", 4},
    {"non-ASCII digits and letters go", L"\u0661\u0105\uFF10" L"7", 4, Dec, 0, L"7", 1},
    {"empty stays empty", L"", 0, Hex, 4, L"", 0},
    // Maximum length
    {"no limit with 0", L"123456789012", 12, Dec, 0, L"123456789012", 12},
    {"at the limit nothing goes", L"0800", 4, Hex, 4, L"0800", 4},
    {"typed at the end replaces the last", L"08001", 5, Hex, 4, L"0801", 4},
    {"typed in the fill field's end", L"FFf", 3, Hex, 2, L"FF", 2},
    {"typed after the first overwrites the next", L"0F800", 2, Hex, 4, L"0F00", 2},
    {"typed first overwrites the next", L"10800", 1, Hex, 4, L"1800", 1},
    {"typed before the last overwrites it", L"080A0", 4, Hex, 4, L"080A", 4},
    {"a pasted pair inside overwrites what follows", L"08AB00", 4, Hex, 4, L"08A0", 4},
    {"count field full: typed at the end replaces the last", L"12345678", 8, Dec, 7, L"1234568", 7},
    // The caret counts characters the filter removed: an index past the text
    // takes the last character instead, and nothing outside the text goes.
    {"filtered characters before the caret", L"zz08001", 7, Hex, 4, L"0800", 4},
    {"several past the end", L"123456789", 9, Dec, 7, L"1234567", 7},
    {"caret far past the text", L"0800A", 40, Hex, 4, L"0800", 4},
    {"negative caret", L"A0800", -3, Hex, 4, L"A080", 0},
};

} // namespace

TEST(NumberFieldRule, Table)
{
    for (const Case& c : cases) {
        const NumberFieldEdit edit = applyNumberFieldRule(c.text, c.caret, c.filter, c.maxLength);
        EXPECT_EQ(edit.text, std::wstring(c.cleaned)) << c.what;
        EXPECT_EQ(edit.caret, c.caretAfter) << c.what;
    }
}

TEST(NumberFieldRule, NeverLongerThanTheLimitAndOnlyAllowedCharacters)
{
    const std::wstring alphabet = L"0123456789abcdefABCDEFxyz-\u0105";
    for (int maxLength : {1, 2, 4, 7}) {
        for (std::size_t length = 0; length < 12; ++length) {
            std::wstring text;
            for (std::size_t i = 0; i < length; ++i)
                text += alphabet[(i * 7 + length * 3 + std::size_t(maxLength)) % alphabet.size()];
            for (long caret = -1; caret <= long(length) + 1; ++caret) {
                for (NumberFilter filter : {Hex, Dec}) {
                    const NumberFieldEdit edit = applyNumberFieldRule(text, caret, filter, maxLength);
                    ASSERT_LE(edit.text.size(), std::size_t(maxLength));
                    ASSERT_GE(edit.caret, 0);
                    ASSERT_LE(edit.caret, long(edit.text.size()));
                    for (wchar_t ch : edit.text) {
                        const bool digit = ch >= L'0' && ch <= L'9';
                        ASSERT_TRUE(digit || (filter == Hex && ch >= L'A' && ch <= L'F')) << int(ch);
                    }
                }
            }
        }
    }
}

TEST(NumberFieldRule, CaretReportedBeforeAnInsertionMovesPastIt)
{
    const struct {
        const wchar_t* before;
        const wchar_t* after;
        long reported;
        long expected;
    } cases[] = {
        {L"0800", L"08001", 4, 5},  // typed at the end
        {L"0800", L"0F800", 1, 2},  // typed inside
        {L"512", L"51299", 3, 5},   // pasted two
        {L"0800", L"08001", 5, 5},  // caret already past the insertion
        {L"0800", L"080", 3, 3},    // a deletion keeps its caret
        {L"0800", L"1234", 2, 2},   // a replacement is no insertion
        {L"0800", L"X0800", 0, 1},
        {L"", L"FF", 0, 2},
        {L"0800", L"08001", -1, -1},
        {L"0800", L"08001", 9, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caretAfterInsertion(c.before, c.after, c.reported), c.expected) << c.after << " " << c.reported;
}
