#include "crossover.h"

#include "display.h"

Calculation Crossover::calculate(const Values& values, std::string_view decimalSeparator) const
{
    bool given[3] = {true, true, true};
    for (const Input& input : inputs) {
        if (values.*input.value == 0)
            given[static_cast<int>(input.group)] = false;
    }

    Calculation calculation;
    calculation.results.reserve(results.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!given[static_cast<int>(results[i].group)])
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
