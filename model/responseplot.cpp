#include "responseplot.h"

#include "response.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Colour white{255, 255, 255}, black{0, 0, 0}, grid{224, 224, 224},
    decadeGrid{176, 176, 176}, edgeGrid{128, 128, 128}, grey{96, 96, 96};

constexpr double lowest = 20, highest = 20000;
constexpr double topLevel = 6, bottomLevel = -42, levelStep = 6;

// Each group's level at the plot's frequencies, and that of their sum with
// the groups connected as `inverted` says; every transfer is worked out once.
struct Levels
{
    std::vector<std::vector<double>> groups;
    std::vector<double> sum;
};

Levels levelsOf(const Response& response, const std::vector<bool>& inverted)
{
    const std::vector<double>& frequencies = plotFrequencies();
    Levels levels{std::vector<std::vector<double>>(response.groups().size()), {}};
    std::vector<std::complex<double>> sum(frequencies.size());
    for (std::size_t i = 0; i < response.groups().size(); ++i) {
        for (std::size_t k = 0; k < frequencies.size(); ++k) {
            const std::complex<double> transfer = response.transfer(i, frequencies[k]);
            levels.groups[i].push_back(level(transfer));
            sum[k] += inverted[i] ? -transfer : transfer;
        }
    }
    for (const std::complex<double>& total : sum)
        levels.sum.push_back(level(total));
    return levels;
}

std::size_t placeOf(const std::vector<Group>& groups, Group group)
{
    return std::size_t(std::find(groups.begin(), groups.end(), group) - groups.begin());
}

std::string pointText(const std::optional<int>& frequency)
{
    return frequency ? std::to_string(*frequency) + " Hz" : "няма";
}

// Where the plot's axes lie on the canvas.
struct Frame
{
    double left, right, top, bottom;

    double x(double frequency) const
    {
        return left +
               (right - left) * std::log10(frequency / lowest) / std::log10(highest / lowest);
    }
    double y(double level) const
    {
        return top + (bottom - top) * (topLevel - level) / (topLevel - bottomLevel);
    }
};

// The parts of a curve that lie between the top and the bottom of the
// frame, as separate lines.
void addCurve(std::vector<Path>& paths, const Frame& frame, const std::vector<double>& levels,
              Colour colour, double width, bool dashed)
{
    const std::vector<double>& frequencies = plotFrequencies();
    Path piece{{}, colour, width, dashed};
    const auto finish = [&] {
        if (piece.points.size() > 1)
            paths.push_back(piece);
        piece.points.clear();
    };
    // Far beyond the frame, an endless level is as good as any.
    const auto yOf = [&](std::size_t i) { return frame.y(std::clamp(levels[i], -1e4, 1e4)); };
    for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
        if (std::isnan(levels[i]) || std::isnan(levels[i + 1])) {
            finish();
            continue;
        }
        const Point a{frame.x(frequencies[i]), yOf(i)}, b{frame.x(frequencies[i + 1]), yOf(i + 1)};
        // The share of the segment from a to b inside the frame.
        double from = 0, to = 1;
        for (const auto& [edge, inside] :
             {std::pair(frame.top, 1.0), std::pair(frame.bottom, -1.0)}) {
            const double da = (a.y - edge) * inside, db = (b.y - edge) * inside;
            if (da < 0 && db < 0)
                from = 1, to = 0;
            else if (da < 0)
                from = std::max(from, da / (da - db));
            else if (db < 0)
                to = std::min(to, da / (da - db));
        }
        if (from > to) {
            finish();
            continue;
        }
        const auto along = [&](double t) {
            return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        };
        if (piece.points.empty() || from > 0) {
            finish();
            piece.points.push_back(along(from));
        }
        piece.points.push_back(along(to));
        if (to < 1)
            finish();
    }
    finish();
}

// The middle of the pixel a line of the grid falls in, where a line one
// pixel wide covers just that pixel.
double onPixel(double coordinate)
{
    return std::floor(coordinate) + 0.5;
}

std::string levelLabel(double level)
{
    if (level > 0)
        return "+" + std::to_string(int(level));
    if (level < 0)
        return "−" + std::to_string(int(-level));
    return "0";
}

std::string frequencyLabel(double frequency)
{
    if (frequency >= 1000)
        return std::to_string(int(frequency / 1000)) + " kHz";
    return std::to_string(int(frequency)) + " Hz";
}

} // namespace

Colour groupColour(Group group)
{
    switch (group) {
    case Group::Woofer:
        return {0xFF, 0x7F, 0x27};
    case Group::Midrange:
        return {0x22, 0xB1, 0x4C};
    case Group::Tweeter:
        break;
    }
    return {0xDC, 0xDC, 0x05};
}

const std::vector<double>& plotFrequencies()
{
    static const std::vector<double> frequencies = [] {
        const double octaves = std::log2(highest / lowest);
        const int steps = int(std::ceil(octaves * 24));
        std::vector<double> out;
        for (int i = 0; i <= steps; ++i)
            out.push_back(lowest * std::exp2(octaves * i / steps));
        return out;
    }();
    return frequencies;
}

ResponsePlot responsePlot(const Crossover& crossover, const Values& inputs,
                          const Calculation& calculation, Series series,
                          std::vector<std::size_t>& unsuggested)
{
    std::vector<std::size_t> none;
    ResponseValues exact = responseValues(crossover, inputs, calculation, std::nullopt, none);
    ResponseValues bought = responseValues(crossover, inputs, calculation, series, unsuggested);
    const Response design(crossover, exact.groups, std::move(exact.values), inputs);
    const Response parts(crossover, bought.groups, std::move(bought.values), inputs);
    const bool complete = parts.groups() == design.groups();
    const std::vector<bool> inverted = choosePolarity(complete ? parts : design);
    std::vector<bool> partsInverted;
    for (Group group : parts.groups())
        partsInverted.push_back(inverted[placeOf(design.groups(), group)]);
    Levels designLevels = levelsOf(design, inverted);
    Levels partsLevels = levelsOf(parts, partsInverted);

    ResponsePlot plot{crossover.slope, series, {}, {}, {}};
    for (std::size_t i = 0; i < design.groups().size(); ++i) {
        const Group group = design.groups()[i];
        ResponsePlot::GroupCurves curves{
            group, inverted[i], std::move(designLevels.groups[i]), {}, {}};
        const std::size_t own = placeOf(parts.groups(), group);
        if (own < parts.groups().size()) {
            curves.parts = std::move(partsLevels.groups[own]);
            curves.minus3dB = minus3dBPoints(parts, own);
        } else {
            curves.minus3dB = minus3dBPoints(design, i);
        }
        plot.groups.push_back(std::move(curves));
    }
    if (!design.groups().empty()) {
        plot.designSum = std::move(designLevels.sum);
        if (complete)
            plot.partsSum = std::move(partsLevels.sum);
    }
    return plot;
}

std::string polarityText(const ResponsePlot::GroupCurves& group)
{
    return group.inverted ? "обърната полярност" : "нормална полярност";
}

std::string minus3dBText(const ResponsePlot::GroupCurves& group)
{
    if (std::none_of(group.minus3dB.begin(), group.minus3dB.end(),
                     [](const std::optional<int>& point) { return point.has_value(); }))
        return "не достига −3 dB";
    std::string text = "−3 dB при " + pointText(group.minus3dB.front());
    if (group.minus3dB.size() > 1)
        text += " и " + pointText(group.minus3dB.back());
    return text;
}

std::string groupSummary(const ResponsePlot::GroupCurves& group)
{
    return std::string(caption(group.group)) + ": " + polarityText(group) + ", " +
           minus3dBText(group);
}

std::string responseSummary(const ResponsePlot& plot)
{
    if (plot.groups.empty())
        return "Няма изчислена група.";
    std::string text;
    for (const ResponsePlot::GroupCurves& group : plot.groups)
        text += (text.empty() ? "" : " ") + groupSummary(group) + '.';
    return text;
}

Drawing responseDrawing(const ResponsePlot& plot, double width, double height)
{
    constexpr double legendWidth = 250, textSize = 13, lineHeight = 18;
    const Frame frame{58, width - legendWidth - 16, 48, height - 42};
    const std::string slope = std::to_string(decibelsPerOctave(plot.slope)) + " dB / Oct";
    const std::string seriesName(name(plot.series));
    Drawing drawing{
        width, height, {}, {}, {}, "Честотна характеристика, " + slope, responseSummary(plot)};
    std::vector<Path>& paths = drawing.paths;
    std::vector<Label>& labels = drawing.labels;

    drawing.boxes.push_back({0, 0, width, height, white});
    labels.push_back(Label{{frame.left, 28}, drawing.title, 17, Anchor::Start, black});

    // The grid: every 1, 2, ... 9 of a decade, darker at the decades.
    for (double decade = 10; decade < highest; decade *= 10) {
        for (int times = 1; times <= 9; ++times) {
            const double frequency = decade * times;
            if (frequency < lowest || frequency > highest)
                continue;
            Colour colour = times == 1 ? decadeGrid : grid;
            if (frequency == lowest || frequency == highest)
                colour = edgeGrid;
            const double x = onPixel(frame.x(frequency));
            paths.push_back(Path{{{x, frame.top}, {x, frame.bottom}}, colour, 1, false, true});
        }
    }
    for (double level = topLevel; level >= bottomLevel; level -= levelStep) {
        const double y = onPixel(frame.y(level));
        const bool edge = level == topLevel || level == bottomLevel || level == 0;
        paths.push_back(
            Path{{{frame.left, y}, {frame.right, y}}, edge ? edgeGrid : grid, 1, false, true});
        labels.push_back(Label{{frame.left - 6, y + 4}, levelLabel(level), 12, Anchor::End, black});
    }
    labels.push_back(Label{{frame.left - 6, frame.top - 12}, "dB", 12, Anchor::End, black});
    for (double frequency : {20.0, 100.0, 1000.0, 10000.0, 20000.0}) {
        labels.push_back(Label{{frame.x(frequency), frame.bottom + 18},
                               frequencyLabel(frequency),
                               12,
                               Anchor::Middle,
                               black});
    }

    // The design under the parts, the sums over the groups.
    for (const ResponsePlot::GroupCurves& group : plot.groups)
        addCurve(paths, frame, group.design, groupColour(group.group), 1.5, true);
    for (const ResponsePlot::GroupCurves& group : plot.groups) {
        if (!group.parts.empty())
            addCurve(paths, frame, group.parts, groupColour(group.group), 2, false);
    }
    if (!plot.designSum.empty())
        addCurve(paths, frame, plot.designSum, black, 1.5, true);
    if (!plot.partsSum.empty())
        addCurve(paths, frame, plot.partsSum, black, 2, false);

    // The legend.
    const double left = width - legendWidth;
    double y = frame.top + 4;
    const auto line = [&](const std::string& text) {
        labels.push_back(Label{{left + 34, y}, text, textSize, Anchor::Start, black});
        y += lineHeight;
    };
    const auto swatch = [&](Colour colour, double lineWidth, bool dashed) {
        paths.push_back(Path{{{left, y - 4}, {left + 26, y - 4}}, colour, lineWidth, dashed});
    };
    swatch(grey, 2, false);
    line("части от " + seriesName);
    swatch(grey, 1.5, true);
    line("по изчисление");
    y += lineHeight / 2;
    if (plot.groups.empty())
        line("Няма изчислена група.");
    for (const ResponsePlot::GroupCurves& group : plot.groups) {
        swatch(groupColour(group.group), 3, false);
        line(std::string(caption(group.group)));
        line(polarityText(group));
        line(minus3dBText(group));
        if (group.parts.empty())
            line("няма части от " + seriesName);
        y += lineHeight / 2;
    }
    if (!plot.groups.empty()) {
        swatch(black, 3, false);
        line("Сума");
    }
    return drawing;
}
