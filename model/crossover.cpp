#include "crossover.h"

#include "display.h"
#include "wide.h"

#include <cmath>

// Collects the output writes of one Calculate; after an overflow it takes no
// more, which stops the press at that output.
class WindowModel::Results
{
public:
    explicit Results(std::string_view decimalSeparator) : m_separator(decimalSeparator)
    {
        m_calculation.writes.reserve(12); // the most any window writes
    }

    void show(std::string_view box, Wide value)
    {
        if (m_calculation.overflowed)
            return;
        const auto stored = value.toDouble();
        if (!stored) {
            m_calculation.overflowed = true;
            return;
        }
        m_calculation.writes.push_back({std::string(box), showResult(*stored, m_separator)});
    }

    Calculation take() { return std::move(m_calculation); }

private:
    std::string_view m_separator;
    Calculation m_calculation;
};

WindowModel::WindowModel(std::span<const Binding> bindings, int boxCount)
    : m_bindings(bindings), m_boxCount(boxCount)
{
}

void WindowModel::load()
{
    fc = fc1 = fc2 = fc3 = rvg = rvg1 = rvg2 = 0;
}

std::vector<std::string> WindowModel::boxes() const
{
    std::vector<std::string> names;
    for (int i = 1; i <= m_boxCount; ++i)
        names.push_back("Text" + std::to_string(i));
    return names;
}

std::vector<std::string> WindowModel::entryBoxes() const
{
    std::vector<std::string> names;
    for (const Binding& binding : m_bindings)
        names.emplace_back(binding.box);
    return names;
}

EntryAction WindowModel::textChanged(std::string_view box, std::string_view text)
{
    for (const Binding& binding : m_bindings) {
        if (binding.box != box)
            continue;
        const EntryResult result = handleTextChanged(text, binding.errorTolerant);
        if (result.action == EntryAction::Store)
            this->*binding.value = result.value;
        return result.action;
    }
    return EntryAction::Ignore; // output boxes have no change handling
}

Calculation WindowModel::calculate(std::string_view decimalSeparator) const
{
    Results out(decimalSeparator);
    calculateGroups(out);
    return out.take();
}

namespace {

using M = WindowModel;

// Each group runs only when every value it names is nonzero; the midrange
// guard needs all three values even where a formula uses two.
bool given(double a, double b)
{
    return a != 0 && b != 0;
}
bool given(double a, double b, double c)
{
    return a != 0 && b != 0 && c != 0;
}

} // namespace

// First order: one component per filter side, 2 pi written as 6.28.

const WindowModel::Binding firstOrderBindings[] = {
    {"Text1", &M::fc},   {"Text2", &M::rvg}, {"Text4", &M::fc1, true}, {"Text5", &M::fc2},
    {"Text6", &M::rvg1}, {"Text9", &M::fc3}, {"Text10", &M::rvg2},
};

FirstOrderModel::FirstOrderModel() : WindowModel(firstOrderBindings, 11) {}

void FirstOrderModel::calculateGroups(Results& out) const
{
    if (given(fc, rvg))
        out.show("Text3", Wide(rvg) / (Wide(fc) * 6.28) * 1000);
    if (given(fc1, fc2, rvg1)) {
        out.show("Text7", Wide(1) / (Wide(fc1) * 6.28 * rvg1) * 1000000);
        out.show("Text8", Wide(rvg1) / (Wide(fc2) * 6.28) * 1000);
    }
    if (given(fc3, rvg2))
        out.show("Text11", Wide(1) / (Wide(fc3) * 6.28 * rvg2) * 1000000);
}

// Second order: the capacitor takes pi as 3.14 with a factor 2 * sqrt 2, the
// inductor 2 pi as 6.28.

namespace {

const double sqrt2 = std::sqrt(2.0);

Wide secondOrderC(double f, double r)
{
    return Wide(1) / (Wide(sqrt2 + sqrt2) * 3.14 * f * r) * 1000000;
}
Wide secondOrderL(double f, double r)
{
    return Wide(sqrt2) * r / (Wide(f) * 6.28) * 1000;
}

} // namespace

const WindowModel::Binding secondOrderBindings[] = {
    {"Text1", &M::fc},   {"Text2", &M::rvg},  {"Text5", &M::fc1},   {"Text6", &M::fc2},
    {"Text7", &M::rvg1}, {"Text12", &M::fc3}, {"Text13", &M::rvg2},
};

SecondOrderModel::SecondOrderModel() : WindowModel(secondOrderBindings, 15) {}

void SecondOrderModel::calculateGroups(Results& out) const
{
    if (given(fc, rvg)) {
        out.show("Text3", secondOrderC(fc, rvg));
        out.show("Text4", secondOrderL(fc, rvg));
    }
    if (given(fc1, fc2, rvg1)) {
        out.show("Text8", secondOrderC(fc1, rvg1));
        out.show("Text9", secondOrderC(fc2, rvg1));
        // Crosswise: L1 is the low-pass series inductor at fc2, L2 the
        // high-pass shunt inductor at fc1.
        out.show("Text10", secondOrderL(fc2, rvg1));
        out.show("Text11", secondOrderL(fc1, rvg1));
    }
    if (given(fc3, rvg2)) {
        out.show("Text14", secondOrderC(fc3, rvg2));
        out.show("Text15", secondOrderL(fc3, rvg2));
    }
}

// Third order: Butterworth T-sections with pi written as 3.14, 1.5 pi as 4.71,
// 2 pi as 6.28 and 3 pi as 9.42.

namespace {

Wide capacitor(double f, double piFactor, double r)
{
    return Wide(1) / (Wide(f) * piFactor * r) * 1000000;
}
Wide inductor(double r, double factor, double f)
{
    return Wide(r) * factor / (Wide(f) * 6.28) * 1000;
}

} // namespace

const WindowModel::Binding thirdOrderBindings[] = {
    {"Text1", &M::fc},   {"Text2", &M::rvg},  {"Text6", &M::fc1},   {"Text7", &M::fc2},
    {"Text8", &M::rvg1}, {"Text15", &M::fc3}, {"Text16", &M::rvg2},
};

ThirdOrderModel::ThirdOrderModel() : WindowModel(thirdOrderBindings, 19) {}

void ThirdOrderModel::calculateGroups(Results& out) const
{
    if (given(fc, rvg)) {
        out.show("Text3", capacitor(fc, 4.71, rvg));
        out.show("Text4", inductor(rvg, 1.5, fc));
        out.show("Text5", inductor(rvg, 0.5, fc));
    }
    if (given(fc1, fc2, rvg1)) {
        out.show("Text9", capacitor(fc1, 9.42, rvg1));
        out.show("Text10", capacitor(fc1, 3.14, rvg1));
        out.show("Text11", capacitor(fc2, 4.71, rvg1));
        out.show("Text12", inductor(rvg1, 1.5, fc2));
        out.show("Text13", inductor(rvg1, 0.5, fc2));
        out.show("Text14", inductor(rvg1, 0.75, fc1));
    }
    if (given(fc3, rvg2)) {
        out.show("Text17", capacitor(fc3, 9.42, rvg2));
        out.show("Text18", capacitor(fc3, 3.14, rvg2));
        out.show("Text19", inductor(rvg2, 0.75, fc3));
    }
}

std::unique_ptr<WindowModel> makeWindowModel(int order)
{
    switch (order) {
    case 1:
        return std::make_unique<FirstOrderModel>();
    case 2:
        return std::make_unique<SecondOrderModel>();
    default:
        return std::make_unique<ThirdOrderModel>();
    }
}
