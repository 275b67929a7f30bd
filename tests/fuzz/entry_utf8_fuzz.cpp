// Any byte sequence, taken as the UTF-8 text of an entry box.
#include "crossover.h"
#include "entry.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool allDigits =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });

    FUZZ_CHECK(CheckNumber(text) == !allDigits);

    for (bool tolerant : {false, true}) {
        const EntryResult result = handleTextChanged(text, tolerant);
        switch (result.action) {
        case EntryAction::Store:
            FUZZ_CHECK(!text.empty() && allDigits);
            FUZZ_CHECK(std::isfinite(result.value) && result.value >= 0);
            FUZZ_CHECK(result.value == std::strtod(text.c_str(), nullptr));
            break;
        case EntryAction::Reject:
            FUZZ_CHECK(!text.empty());
            FUZZ_CHECK(!allDigits || (!tolerant && std::isinf(std::strtod(text.c_str(), nullptr))));
            break;
        case EntryAction::Ignore:
            FUZZ_CHECK(text.empty() || (tolerant && allDigits));
            break;
        }
    }

    // Through a whole window's tolerant box, fc1 of the first order: a
    // rejected or ignored text leaves the value alone.
    WindowModel model(Slope::First);
    model.textChanged(2, "7");
    const EntryAction action = model.textChanged(2, text);
    FUZZ_CHECK(action == EntryAction::Store || model.values().fc1 == 7);
    return 0;
}
