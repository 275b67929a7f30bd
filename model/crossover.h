#pragma once

#include "entry.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One text written into an output box by Calculate.
struct OutputWrite
{
    std::string box;
    std::string text;

    bool operator==(const OutputWrite&) const = default;
};

// The writes of one press of Calculate, in order. When a result is too large
// for a double, Calculate stops there: the writes before it stand and
// `overflowed` tells the window to say so.
struct Calculation
{
    std::vector<OutputWrite> writes;
    bool overflowed = false;
};

// The model of one slope window: its seven values, which entry box feeds
// which value, and load, clear, text changed and calculate.
class WindowModel
{
public:
    // Frequencies in hertz, impedances in ohms; 0 means "not given".
    double fc = 0;   // woofer
    double rvg = 0;  // woofer
    double fc1 = 0;  // midrange, lower
    double fc2 = 0;  // midrange, upper
    double rvg1 = 0; // midrange
    double fc3 = 0;  // tweeter
    double rvg2 = 0; // tweeter

    // An entry box and the value it feeds.
    struct Binding
    {
        std::string_view box;
        double WindowModel::*value;
        bool errorTolerant = false;
    };

    virtual ~WindowModel() = default;

    void load();
    // Sets the values to 0; the window empties its boxes first.
    void clear() { load(); }

    // Every text box of the window, entry and output alike, in the order
    // Clear empties them.
    std::vector<std::string> boxes() const;
    // The entry boxes, in ascending order of their numbers.
    std::vector<std::string> entryBoxes() const;

    // The handling of a change of the text of `box`; stores an accepted
    // number into the value the box is bound to.
    EntryAction textChanged(std::string_view box, std::string_view text);

    Calculation calculate(std::string_view decimalSeparator) const;

protected:
    WindowModel(std::span<const Binding> bindings, int boxCount);

    class Results;
    virtual void calculateGroups(Results& out) const = 0;

private:
    std::span<const Binding> m_bindings;
    int m_boxCount;
};

class FirstOrderModel final : public WindowModel
{
public:
    FirstOrderModel();

private:
    void calculateGroups(Results& out) const override;
};

class SecondOrderModel final : public WindowModel
{
public:
    SecondOrderModel();

private:
    void calculateGroups(Results& out) const override;
};

class ThirdOrderModel final : public WindowModel
{
public:
    ThirdOrderModel();

private:
    void calculateGroups(Results& out) const override;
};

// The model of the first-, second- or third-order window (`order` 1 to 3).
std::unique_ptr<WindowModel> makeWindowModel(int order);
