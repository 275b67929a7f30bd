#pragma once

#include "crossover.h"
#include "standardvalues.h"

#include <cstdint>
#include <vector>

// One line of what to order: a distinct part and how many of it.
struct PartToOrder
{
    Component kind;
    std::int64_t thousandths; // of µF or mH
    int count;

    bool operator==(const PartToOrder&) const = default;
};

// The parts taken for one result: the nearer of the single value and the
// pair, the single value when both are as near; one or two values.
std::vector<std::int64_t> partsTaken(const Suggestion& suggestion);

// The parts for the results of one calculation, for a stereo pair of
// loudspeakers: for each result the nearer of the single value and the pair
// (the single value when both are as near), each distinct part once,
// capacitors first, then by value. `unsuggested` gets the places of the
// results outside the range where parts are suggested.
std::vector<PartToOrder> partsToOrder(const Crossover& crossover, const Calculation& calculation,
                                      Series series, std::vector<std::size_t>& unsuggested);
