// The editing rule of the number fields (start address, byte count, fill
// value): which characters stay, how a full field makes room for a typed
// character, and where the caret goes back to. Kept free of wx so that it can be
// tested and fuzzed on its own.
#pragma once

#include <string>

enum class NumberFilter {
    Decimal = 1,     // digits only
    Hexadecimal = 2, // hexadecimal digits, shown upper-case
};

struct NumberFieldEdit {
    std::wstring text;
    long caret = 0;
};

// text and caret as the field holds them right after the user's change.
// maxLength 0 means no limit.
NumberFieldEdit applyNumberFieldRule(const std::wstring& text, long caret, NumberFilter filter, int maxLength);

// GTK raises the text-changed event of a typed or pasted insertion before it
// moves the caret past the new characters, so the caret it reports then is
// where the insertion began. When `after` is `before` with characters
// inserted at `reportedCaret`, this gives the caret past them, as the rule
// expects; otherwise `reportedCaret` unchanged.
long caretAfterInsertion(const std::wstring& before, const std::wstring& after, long reportedCaret);
