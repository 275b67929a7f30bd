#pragma once

#include "crossover.h"

#include <QByteArray>
#include <QString>
#include <QTest>

#include <string_view>

Q_DECLARE_METATYPE(Slope)

// The name of a window in rows: "Form1" to "Form3".
inline QByteArray windowName(Slope slope)
{
    return "Form" + QByteArray::number(static_cast<int>(slope) + 1);
}

// One row for each window, in the column "slope".
inline void addSlopeRows()
{
    QTest::addColumn<Slope>("slope");
    for (Slope slope : slopes)
        QTest::newRow(windowName(slope)) << slope;
}

// Calls `add(slope, place, rowName)` for every input of every window, or for
// every result, with a row name such as "Form1/Среди fc1".
template <class Add> void forEveryBox(bool results, Add add)
{
    const auto name = [](Slope slope, Group group, std::string_view label) {
        return windowName(slope) + '/' + QByteArray(caption(group).data(), caption(group).size()) +
               ' ' + QByteArray(label.data(), qsizetype(label.size()));
    };
    for (Slope slope : slopes) {
        const Crossover& described = crossover(slope);
        if (results) {
            for (int i = 0; i < int(described.results.size()); ++i)
                add(slope, i, name(slope, described.results[i].group, described.results[i].label));
        } else {
            for (int i = 0; i < int(described.inputs.size()); ++i)
                add(slope, i, name(slope, described.inputs[i].group, described.inputs[i].label));
        }
    }
}
