#include "entry.h"

#include <charconv>

bool CheckNumber(std::string_view text)
{
    bool notANumber = false;
    for (char c : text) {
        if (c < '0' || c > '9')
            notANumber = true;
    }
    return notANumber;
}

EntryResult handleTextChanged(std::string_view text, bool errorTolerant)
{
    if (text.empty())
        return {EntryAction::Ignore, 0.0};
    if (CheckNumber(text))
        return {EntryAction::Reject, 0.0};

    double value = 0.0;
    // from_chars rounds to the nearest double; leading zeros are fine.
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size())
        return {EntryAction::Store, value};
    return {errorTolerant ? EntryAction::Ignore : EntryAction::Reject, 0.0};
}
