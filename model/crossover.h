#pragma once

#include "entry.h"
#include "slope.h"
#include "wide.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The three framed groups of every window.
enum class Group
{
    Woofer,   // "Ниски", the low-pass
    Midrange, // "Среди", the band-pass
    Tweeter,  // "Високи", the high-pass
};

constexpr std::string_view caption(Group group)
{
    switch (group) {
    case Group::Woofer:
        return "Ниски";
    case Group::Midrange:
        return "Среди";
    case Group::Tweeter:
        break;
    }
    return "Високи";
}

// What a result is: a capacitor in microfarads or a coil in millihenries.
enum class Component
{
    Capacitor,
    Coil,
};

constexpr std::string_view unit(Component kind)
{
    return kind == Component::Capacitor ? "µF" : "mH";
}

// How a component is wired in its group's filter: in the line from the input
// to the loudspeaker, or across it from the line to the return wire.
enum class Connection
{
    InSeries,
    Shunt,
};

// Where a component is in its group's filter: its step counted from the
// input towards the loudspeaker, as the group's schematic draws it. Shunts of
// the same step are in parallel; no two components share a step otherwise.
struct Place
{
    Connection connection;
    int step;
};

// What an input is: a frequency in hertz or a loudspeaker's impedance in ohms.
enum class Quantity
{
    Frequency,
    Impedance,
};

constexpr std::string_view unit(Quantity quantity)
{
    return quantity == Quantity::Frequency ? "Hz" : "Ом";
}

// The seven stored values of a window, frequencies in hertz, impedances in
// ohms; 0 means "not given".
struct Values
{
    double fc = 0;   // woofer
    double rvg = 0;  // woofer
    double fc1 = 0;  // midrange, lower
    double fc2 = 0;  // midrange, upper
    double rvg1 = 0; // midrange
    double fc3 = 0;  // tweeter
    double rvg2 = 0; // tweeter

    bool operator==(const Values&) const = default;
};

// An entry box's data: the value it feeds, its group and the labels beside it.
struct Input
{
    double Values::*value;
    Group group;
    std::string_view label;
    Quantity quantity;
    // A digit string too large for a double leaves this value as it was,
    // without a message.
    bool errorTolerant = false;

    std::string_view unit() const { return ::unit(quantity); }
};

// A component value a window works out, in the order of its result rows,
// and the component's place in its group's filter.
struct Result
{
    Group group;
    std::string_view label;
    Component kind;
    Place place;
    // Evaluated step by step in the order written, each step rounded to
    // double precision, with an exponent range wider than a double's.
    Wide (*formula)(const Values&);

    std::string_view unit() const { return ::unit(kind); }
};

// One result of one press of Calculate.
struct ResultValue
{
    std::size_t result; // its place in the crossover's results
    double value;       // as stored in a double, before rounding for the box
    std::string text;   // what its result box shows

    bool operator==(const ResultValue&) const = default;
};

// The results of one press of Calculate, in order. When a result is too
// large for a double, Calculate stops there: the results before it stand and
// `overflowed` says so.
struct Calculation
{
    std::vector<ResultValue> results;
    bool overflowed = false;
};

// Everything a window computes: its inputs and its results.
struct Crossover
{
    Slope slope;
    std::span<const Input, 7> inputs;
    std::span<const Result> results;

    // Whether a group is calculated: every one of its inputs is nonzero; the
    // midrange needs all three values even where a formula uses two.
    bool given(Group group, const Values& values) const;

    // The results of every given group, in order.
    Calculation calculate(const Values& values, std::string_view decimalSeparator) const;
};

namespace crossover_detail {

// Every window takes the same seven inputs; only the first-order window's
// lower midrange frequency tolerates failures.
constexpr std::array<Input, 7> inputs(bool tolerantFc1)
{
    return {{
        {&Values::fc, Group::Woofer, "fc", Quantity::Frequency},
        {&Values::rvg, Group::Woofer, "Rвг", Quantity::Impedance},
        {&Values::fc1, Group::Midrange, "fc1", Quantity::Frequency, tolerantFc1},
        {&Values::fc2, Group::Midrange, "fc2", Quantity::Frequency},
        {&Values::rvg1, Group::Midrange, "Rвг", Quantity::Impedance},
        {&Values::fc3, Group::Tweeter, "fc", Quantity::Frequency},
        {&Values::rvg2, Group::Tweeter, "Rвг", Quantity::Impedance},
    }};
}

inline constexpr std::array<Input, 7> firstOrderInputs = inputs(true);
inline constexpr std::array<Input, 7> otherInputs = inputs(false);

using enum Group;
using enum Component;

constexpr Place inSeries(int step)
{
    return {Connection::InSeries, step};
}
constexpr Place shunt(int step)
{
    return {Connection::Shunt, step};
}

// First order: one component per filter side, 2 pi written as 6.28.
inline constexpr Result firstOrderResults[] = {
    {Woofer, "L", Coil, inSeries(1),
     [](const Values& v) { return Wide(v.rvg) / (Wide(v.fc) * 6.28) * 1000; }},
    {Midrange, "C", Capacitor, inSeries(1),
     [](const Values& v) { return Wide(1) / (Wide(v.fc1) * 6.28 * v.rvg1) * 1000000; }},
    {Midrange, "L", Coil, inSeries(2),
     [](const Values& v) { return Wide(v.rvg1) / (Wide(v.fc2) * 6.28) * 1000; }},
    {Tweeter, "C", Capacitor, inSeries(1),
     [](const Values& v) { return Wide(1) / (Wide(v.fc3) * 6.28 * v.rvg2) * 1000000; }},
};

// Second order: the capacitor takes pi as 3.14 with a factor 2 sqrt 2, the
// inductor 2 pi as 6.28.
inline const double sqrt2 = std::sqrt(2.0);
inline Wide secondOrderC(double f, double r)
{
    return Wide(1) / (Wide(sqrt2 + sqrt2) * 3.14 * f * r) * 1000000;
}
inline Wide secondOrderL(double f, double r)
{
    return Wide(sqrt2) * r / (Wide(f) * 6.28) * 1000;
}

inline constexpr Result secondOrderResults[] = {
    {Woofer, "C", Capacitor, shunt(2), [](const Values& v) { return secondOrderC(v.fc, v.rvg); }},
    {Woofer, "L", Coil, inSeries(1), [](const Values& v) { return secondOrderL(v.fc, v.rvg); }},
    {Midrange, "C1", Capacitor, inSeries(1),
     [](const Values& v) { return secondOrderC(v.fc1, v.rvg1); }},
    {Midrange, "C2", Capacitor, shunt(3),
     [](const Values& v) { return secondOrderC(v.fc2, v.rvg1); }},
    // Crosswise: L1 is the low-pass series inductor at fc2, L2 the high-pass
    // shunt inductor at fc1.
    {Midrange, "L1", Coil, inSeries(2),
     [](const Values& v) { return secondOrderL(v.fc2, v.rvg1); }},
    {Midrange, "L2", Coil, shunt(3), [](const Values& v) { return secondOrderL(v.fc1, v.rvg1); }},
    {Tweeter, "C", Capacitor, inSeries(1),
     [](const Values& v) { return secondOrderC(v.fc3, v.rvg2); }},
    {Tweeter, "L", Coil, shunt(2), [](const Values& v) { return secondOrderL(v.fc3, v.rvg2); }},
};

// Third order: Butterworth T-sections with pi written as 3.14, 1.5 pi as
// 4.71, 2 pi as 6.28 and 3 pi as 9.42.
inline Wide capacitor(double f, double piFactor, double r)
{
    return Wide(1) / (Wide(f) * piFactor * r) * 1000000;
}
inline Wide inductor(double r, double factor, double f)
{
    return Wide(r) * factor / (Wide(f) * 6.28) * 1000;
}

inline constexpr Result thirdOrderResults[] = {
    {Woofer, "C", Capacitor, shunt(2),
     [](const Values& v) { return capacitor(v.fc, 4.71, v.rvg); }},
    {Woofer, "L1", Coil, inSeries(1), [](const Values& v) { return inductor(v.rvg, 1.5, v.fc); }},
    {Woofer, "L2", Coil, inSeries(3), [](const Values& v) { return inductor(v.rvg, 0.5, v.fc); }},
    {Midrange, "C1", Capacitor, inSeries(1),
     [](const Values& v) { return capacitor(v.fc1, 9.42, v.rvg1); }},
    {Midrange, "C2", Capacitor, inSeries(4),
     [](const Values& v) { return capacitor(v.fc1, 3.14, v.rvg1); }},
    {Midrange, "C3", Capacitor, shunt(3),
     [](const Values& v) { return capacitor(v.fc2, 4.71, v.rvg1); }},
    {Midrange, "L1", Coil, inSeries(2),
     [](const Values& v) { return inductor(v.rvg1, 1.5, v.fc2); }},
    {Midrange, "L2", Coil, inSeries(5),
     [](const Values& v) { return inductor(v.rvg1, 0.5, v.fc2); }},
    {Midrange, "L3", Coil, shunt(3), [](const Values& v) { return inductor(v.rvg1, 0.75, v.fc1); }},
    {Tweeter, "C1", Capacitor, inSeries(1),
     [](const Values& v) { return capacitor(v.fc3, 9.42, v.rvg2); }},
    {Tweeter, "C2", Capacitor, inSeries(3),
     [](const Values& v) { return capacitor(v.fc3, 3.14, v.rvg2); }},
    {Tweeter, "L", Coil, shunt(2), [](const Values& v) { return inductor(v.rvg2, 0.75, v.fc3); }},
};

inline constexpr Crossover crossovers[] = {
    {Slope::First, firstOrderInputs, firstOrderResults},
    {Slope::Second, otherInputs, secondOrderResults},
    {Slope::Third, otherInputs, thirdOrderResults},
};

// Each group's filter is one chain: its steps run 1, 2, ... without a gap, a
// component in series has its step to itself, and several components share
// a step only as shunts in parallel.
constexpr bool isOneChain(std::span<const Result> results, Group group)
{
    int steps = 0;
    for (const Result& result : results) {
        if (result.group == group && result.place.step > steps)
            steps = result.place.step;
    }
    for (int step = 1; step <= steps; ++step) {
        int inSeries = 0, shunts = 0;
        for (const Result& result : results) {
            if (result.group != group || result.place.step != step)
                continue;
            ++(result.place.connection == Connection::InSeries ? inSeries : shunts);
        }
        if (inSeries + shunts == 0 || (inSeries > 0 && inSeries + shunts > 1))
            return false;
    }
    return true;
}

constexpr bool everyFilterIsOneChain()
{
    for (const Crossover& described : crossovers) {
        for (Group group : {Woofer, Midrange, Tweeter}) {
            if (!isOneChain(described.results, group))
                return false;
        }
    }
    return true;
}
static_assert(everyFilterIsOneChain());

} // namespace crossover_detail

// The crossover of the window of `slope`.
constexpr const Crossover& crossover(Slope slope)
{
    return crossover_detail::crossovers[static_cast<std::size_t>(slope)];
}

// The model of one slope window: its seven values, loaded, cleared, fed by
// its entry boxes and calculated.
class WindowModel
{
public:
    explicit WindowModel(Slope slope) : m_crossover(::crossover(slope)) {}

    const Crossover& crossover() const { return m_crossover; }
    const Values& values() const { return m_values; }

    void load() { m_values = {}; }
    // Sets the values to 0; the window empties its boxes first.
    void clear() { load(); }

    // The handling of a change of the text of the entry box of `input`, a
    // place in the crossover's inputs; stores an accepted number.
    EntryAction textChanged(std::size_t input, std::string_view text);

    Calculation calculate(std::string_view decimalSeparator) const
    {
        return m_crossover.calculate(m_values, decimalSeparator);
    }

private:
    const Crossover& m_crossover;
    Values m_values;
};
