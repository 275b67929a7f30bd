#pragma once

#include <string_view>

// True when the text is not a number: it holds at least one character other
// than the ten ASCII digits. The empty text is a number. The text is UTF-8;
// every byte of a non-ASCII character lies outside '0'..'9', so checking byte
// by byte rejects exactly the texts that checking character by character would.
bool CheckNumber(std::string_view text);

// What a window does after the text of an entry box changed.
enum class EntryAction
{
    Ignore, // the bound value stays as it was
    Store,  // the text is a number: store it in the bound value
    Reject, // empty the box, then show the "only numbers" message
};

struct EntryResult
{
    EntryAction action;
    double value; // meaningful for Store only
};

// The handling of a changed entry box text. A digit string too large for a
// double is rejected like a non-number, except in the error-tolerant box,
// which ignores it and keeps its previous value.
EntryResult handleTextChanged(std::string_view text, bool errorTolerant);
