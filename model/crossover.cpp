#include "crossover.h"

#include "display.h"

bool Crossover::given(Group group, const Values& values) const
{
    for (const Input& input : inputs) {
        if (input.group == group && values.*input.value == 0)
            return false;
    }
    return true;
}

Calculation Crossover::calculate(const Values& values, std::string_view decimalSeparator) const
{
    const bool groupGiven[] = {given(Group::Woofer, values), given(Group::Midrange, values),
                               given(Group::Tweeter, values)};
    Calculation calculation;
    calculation.results.reserve(results.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!groupGiven[static_cast<int>(results[i].group)])
            continue;
        const std::optional<double> value = results[i].formula(values).toDouble();
        if (!value) {
            calculation.overflowed = true;
            break;
        }
        calculation.results.push_back({i, *value, showResult(*value, decimalSeparator)});
    }
    return calculation;
}

EntryAction WindowModel::textChanged(std::size_t input, std::string_view text)
{
    const Input& bound = m_crossover.inputs[input];
    const EntryResult result = handleTextChanged(text, bound.errorTolerant);
    if (result.action == EntryAction::Store)
        m_values.*bound.value = result.value;
    return result.action;
}
