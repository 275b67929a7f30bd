#include "partslist.h"

#include <map>
#include <utility>

std::vector<std::int64_t> partsTaken(const Suggestion& suggestion)
{
    if (suggestion.pairIsNearer)
        return {suggestion.larger, suggestion.smaller};
    return {suggestion.nearest};
}

std::vector<PartToOrder> partsToOrder(const Crossover& crossover, const Calculation& calculation,
                                      Series series, std::vector<std::size_t>& unsuggested)
{
    constexpr int loudspeakers = 2;
    std::map<std::pair<Component, std::int64_t>, int> counts;
    for (const ResultValue& result : calculation.results) {
        const Component kind = crossover.results[result.result].kind;
        const std::optional<Suggestion> suggestion = suggest(result.value, series);
        if (!suggestion) {
            unsuggested.push_back(result.result);
            continue;
        }
        for (std::int64_t part : partsTaken(*suggestion))
            counts[{kind, part}] += loudspeakers;
    }
    std::vector<PartToOrder> parts;
    for (const auto& [part, count] : counts)
        parts.push_back({part.first, part.second, count});
    return parts;
}
