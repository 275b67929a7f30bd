// Any byte sequence, taken as the UTF-16 text of an entry box (lone
// surrogates included) and handed to the model the way a window does.
#include "entry.h"
#include "fuzzcheck.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    const bool allDigits =
        std::all_of(units.begin(), units.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });

    // As a line edit holds it: no byte-order mark is interpreted.
    const QString boxText(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
    const QByteArray utf8 = boxText.toUtf8();
    const std::string_view text(utf8.constData(), std::size_t(utf8.size()));

    FUZZ_CHECK(CheckNumber(text) == !allDigits);
    const EntryResult result = handleTextChanged(text, false);
    if (result.action == EntryAction::Store)
        FUZZ_CHECK(!units.empty() && allDigits);
    if (!allDigits)
        FUZZ_CHECK(result.action == EntryAction::Reject);
    return 0;
}
