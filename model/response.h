#pragma once

#include "crossover.h"

#include <array>
#include <cmath>
#include <complex>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

enum class Series;

// The nominal third-octave frequencies from 20 Hz to 20 kHz, at which the
// response is told and the polarity chosen.
inline constexpr std::array<double, 31> thirdOctaves = {
    20,  25,   31.5, 40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

// The voltage across a group's loudspeaker, taken as a resistance of `load`
// ohms, over that of the ideal voltage source feeding the filter, at
// `frequency` hertz. `values` holds, by place in the crossover's results,
// each component's value in µF or mH; only the group's own are read.
std::complex<double> transfer(const Crossover& crossover, Group group,
                              std::span<const double> values, double load, double frequency);

// A transfer's level in dB.
double level(std::complex<double> transfer);

// The level builders call "−3 dB": half the power, which a Butterworth
// filter passes exactly at its corner frequency.
inline const double halfPowerLevel = -10 * std::log10(2.0);

// The response of some groups of one crossover, from given component values,
// with every loudspeaker an ideal flat driver: what each group passes and
// what they sum to in the air.
class Response
{
public:
    // `groups` in window order; `values` as for transfer(); each group's
    // load is its Rвг in `inputs`.
    Response(const Crossover& crossover, std::vector<Group> groups, std::vector<double> values,
             const Values& inputs);

    const Crossover& crossover() const { return *m_crossover; }
    const std::vector<Group>& groups() const { return m_groups; }

    std::complex<double> transfer(std::size_t group, double frequency) const;
    // The sum of every group's transfer, negated where `inverted` (by place
    // in the groups) says its loudspeaker is connected the other way round.
    std::complex<double> sum(const std::vector<bool>& inverted, double frequency) const;

private:
    const Crossover* m_crossover;
    std::vector<Group> m_groups;
    std::vector<double> m_values;
    std::vector<double> m_loads;
};

// The values a response is built from, by place in the crossover's results:
// the exact results of the calculation or, with `series`, the parts
// --parts takes for each. A group is given when every one of its results is
// in the calculation and, with a series, has parts; `unsuggested` gets the
// places of the results without parts.
struct ResponseValues
{
    std::vector<Group> groups;
    std::vector<double> values;
};
ResponseValues responseValues(const Crossover& crossover, const Values& inputs,
                              const Calculation& calculation, std::optional<Series> series,
                              std::vector<std::size_t>& unsuggested);

// Which loudspeakers to connect the other way round, by place in the groups:
// the first group never; of the choices for the others, the one whose sum
// has the smallest largest |level| over the third-octave frequencies. Choices
// within 0.05 dB of it count as good: of those, the one with fewer groups
// inverted, then the one that inverts the midrange rather than the tweeter.
std::vector<bool> choosePolarity(const Response& response);

// The frequencies in whole hertz where a group's level passes −3 dB (half
// the power), from 1 Hz to 1 MHz: the woofer's highest, the tweeter's
// lowest, the midrange's lowest and highest; nothing where the level never
// reaches it.
std::vector<std::optional<int>> minus3dBPoints(const Response& response, std::size_t group);
