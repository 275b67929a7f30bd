#include "response.h"

#include "partslist.h"
#include "standardvalues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Complex = std::complex<double>;

// A component's impedance in ohms: the exact 2 pi, this is the physics of
// the parts, not one of the windows' formulas.
Complex impedance(Component kind, double value, double frequency)
{
    const double omega = 2 * std::numbers::pi * frequency;
    if (kind == Component::Capacitor)
        return {0, -1 / (omega * value * 1e-6)};
    return {0, omega * value * 1e-3};
}

} // namespace

Complex transfer(const Crossover& crossover, Group group, std::span<const double> values,
                 double load, double frequency)
{
    // From the loudspeaker back to the input: with 1 V across the load, a
    // shunt adds the current through it, a component in series the voltage
    // across it; the source must then give `voltage`.
    int steps = 0;
    for (const Result& result : crossover.results) {
        if (result.group == group)
            steps = std::max(steps, result.place.step);
    }
    Complex voltage = 1;
    Complex current = 1 / load;
    for (int step = steps; step >= 1; --step) {
        for (std::size_t i = 0; i < crossover.results.size(); ++i) {
            const Result& result = crossover.results[i];
            if (result.group != group || result.place.step != step)
                continue;
            const Complex z = impedance(result.kind, values[i], frequency);
            if (result.place.connection == Connection::Shunt)
                current += voltage / z;
            else
                voltage += current * z;
        }
    }
    return 1.0 / voltage;
}

double level(Complex transfer)
{
    return 20 * std::log10(std::abs(transfer));
}

Response::Response(const Crossover& crossover, std::vector<Group> groups,
                   std::vector<double> values, const Values& inputs)
    : m_crossover(&crossover), m_groups(std::move(groups)), m_values(std::move(values))
{
    for (Group group : m_groups) {
        for (const Input& input : crossover.inputs) {
            if (input.group == group && input.quantity == Quantity::Impedance)
                m_loads.push_back(inputs.*input.value);
        }
    }
}

Complex Response::transfer(std::size_t group, double frequency) const
{
    return ::transfer(*m_crossover, m_groups[group], m_values, m_loads[group], frequency);
}

Complex Response::sum(const std::vector<bool>& inverted, double frequency) const
{
    Complex total = 0;
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        total += inverted[i] ? -transfer(i, frequency) : transfer(i, frequency);
    return total;
}

ResponseValues responseValues(const Crossover& crossover, const Values& inputs,
                              const Calculation& calculation, std::optional<Series> series,
                              std::vector<std::size_t>& unsuggested)
{
    ResponseValues taken{{}, std::vector<double>(crossover.results.size(), 0.0)};
    std::vector<bool> found(crossover.results.size(), false);
    for (const ResultValue& result : calculation.results) {
        if (!series) {
            taken.values[result.result] = result.value;
            found[result.result] = true;
        } else if (const std::optional<Suggestion> suggestion = suggest(result.value, *series)) {
            double total = 0;
            for (std::int64_t part : partsTaken(*suggestion))
                total += double(part) / 1000;
            taken.values[result.result] = total;
            found[result.result] = true;
        } else {
            unsuggested.push_back(result.result);
        }
    }
    for (Group group : {Group::Woofer, Group::Midrange, Group::Tweeter}) {
        bool complete = crossover.given(group, inputs);
        for (std::size_t i = 0; i < crossover.results.size(); ++i)
            complete = complete && (crossover.results[i].group != group || found[i]);
        if (complete)
            taken.groups.push_back(group);
    }
    return taken;
}

std::vector<bool> choosePolarity(const Response& response)
{
    const std::size_t count = response.groups().size();
    if (count == 0)
        return {};
    struct Choice
    {
        std::vector<bool> inverted;
        double worst;
        int invertedCount;
        bool invertsTweeter;
    };
    // Each group's transfer at each frequency, once for all the choices.
    std::vector<std::array<Complex, thirdOctaves.size()>> transfers(count);
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t k = 0; k < thirdOctaves.size(); ++k)
            transfers[i][k] = response.transfer(i, thirdOctaves[k]);
    }
    std::vector<Choice> choices;
    // The first group stays as it is; every combination of the others.
    for (unsigned bits = 0; bits < 1u << (count - 1); ++bits) {
        Choice choice{std::vector<bool>(count, false), 0, 0, false};
        for (std::size_t i = 1; i < count; ++i) {
            if (bits >> (i - 1) & 1) {
                choice.inverted[i] = true;
                ++choice.invertedCount;
                choice.invertsTweeter |= response.groups()[i] == Group::Tweeter;
            }
        }
        for (std::size_t k = 0; k < thirdOctaves.size(); ++k) {
            Complex sum = 0;
            for (std::size_t i = 0; i < count; ++i)
                sum += choice.inverted[i] ? -transfers[i][k] : transfers[i][k];
            choice.worst = std::max(choice.worst, std::fabs(level(sum)));
        }
        choices.push_back(std::move(choice));
    }
    double best = choices.front().worst;
    for (const Choice& choice : choices)
        best = std::min(best, choice.worst);
    const Choice* chosen = nullptr;
    for (const Choice& choice : choices) {
        if (!(choice.worst <= best + 0.05))
            continue;
        if (!chosen || std::pair(choice.invertedCount, choice.invertsTweeter) <
                           std::pair(chosen->invertedCount, chosen->invertsTweeter))
            chosen = &choice;
    }
    return chosen ? chosen->inverted : choices.front().inverted;
}

std::vector<std::optional<int>> minus3dBPoints(const Response& response, std::size_t group)
{
    // The level is sampled every 1/48 octave; between the two samples on
    // either side of a crossing, halving the interval finds it.
    constexpr double lowest = 1, highest = 1e6, perOctave = 48;
    const auto passes = [&](double logFrequency) {
        return level(response.transfer(group, std::exp2(logFrequency))) >= halfPowerLevel;
    };
    const auto crossing = [&](double inside, double outside) {
        for (int i = 0; i < 60; ++i) {
            const double middle = (inside + outside) / 2;
            (passes(middle) ? inside : outside) = middle;
        }
        return std::optional<int>(int(std::lround(std::exp2((inside + outside) / 2))));
    };
    const double first = std::log2(lowest), last = std::log2(highest);
    const int samples = int(std::lround((last - first) * perOctave));
    const auto at = [&](int i) { return first + (last - first) * i / samples; };
    std::optional<int> lower, upper;
    int i = 0;
    while (i <= samples && !passes(at(i)))
        ++i;
    if (i <= samples) {
        // Passing at the very bottom of the range, the lower crossing lies beyond it.
        if (i > 0)
            lower = crossing(at(i), at(i - 1));
        int j = samples;
        while (!passes(at(j)))
            --j;
        if (j < samples)
            upper = crossing(at(j), at(j + 1));
    }
    switch (response.groups()[group]) {
    case Group::Woofer:
        return {upper};
    case Group::Midrange:
        return {lower, upper};
    case Group::Tweeter:
        break;
    }
    return {lower};
}
