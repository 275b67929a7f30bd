#pragma once

#include "crossoverwindow.h"

#include <QObject>
#include <QPointer>

// Start, switching and exit: exactly one slope window exists at a time.
class Navigator : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~Navigator() override;

    // Shows the window of `slope` loaded afresh, then removes the current one.
    void show(Slope slope);

    CrossoverWindow* current() const { return m_current; }

private:
    QPointer<CrossoverWindow> m_current;
};
