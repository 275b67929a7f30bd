#pragma once

#include "crossover.h"
#include "drawing.h"
#include "standardvalues.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The colour of each group's curve, as the windows' graphs draw it.
Colour groupColour(Group group);

// The response plot of one calculation: for each group, the response of the
// exact results (the design) and that of the parts of a series, how its
// loudspeaker is connected and where the parts pass −3 dB; and the sums.
// Levels are in dB at plotFrequencies().
struct ResponsePlot
{
    struct GroupCurves
    {
        Group group;
        bool inverted;
        std::vector<double> design;
        std::vector<double> parts; // empty when a result has no parts
        // Of the parts, or of the design where there are none.
        std::vector<std::optional<int>> minus3dB;
    };

    Slope slope;
    Series series;
    std::vector<GroupCurves> groups;
    std::vector<double> designSum;
    std::vector<double> partsSum; // empty unless every group has its parts
};

// The frequencies the curves are drawn through: every 1/24 octave from
// 20 Hz to 20 kHz.
const std::vector<double>& plotFrequencies();

// The plot of the groups a calculation gave in full. The polarity is chosen
// on the parts, or on the design when a group has none, and holds for both;
// `unsuggested` gets the places of the results without parts.
ResponsePlot responsePlot(const Crossover& crossover, const Values& inputs,
                          const Calculation& calculation, Series series,
                          std::vector<std::size_t>& unsuggested);

// One group's polarity and −3 dB points in words: "нормална полярност",
// "−3 dB при 436 Hz и 3435 Hz", and both after the group's name: "Ниски:
// нормална полярност, −3 dB при 2998 Hz".
std::string polarityText(const ResponsePlot::GroupCurves& group);
std::string minus3dBText(const ResponsePlot::GroupCurves& group);
std::string groupSummary(const ResponsePlot::GroupCurves& group);
// Every group's, one sentence each; or that nothing was calculated.
std::string responseSummary(const ResponsePlot& plot);

// The plot laid out on a canvas of `width` x `height` pixels: the axes from
// 20 Hz to 20 kHz and from +6 to −42 dB, the design dashed, the parts solid,
// the sums in black, and a legend on the right.
Drawing responseDrawing(const ResponsePlot& plot, double width, double height);

// The size of the picture the command line writes.
inline constexpr double plotWidth = 960, plotHeight = 560;
