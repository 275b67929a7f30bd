#pragma once

#include "crossoverwindow.h"

#include <QObject>
#include <QPointer>

// Start, switching and exit: exactly one slope window exists at a time. The
// slope windows show in one top-level window that lasts the whole run, so a
// switch builds the new window's controls but no new native window.
class Navigator : public QObject
{
    Q_OBJECT

public:
    explicit Navigator(QObject* parent = nullptr);
    ~Navigator() override;

    // Removes the current window, then shows the window of `slope` loaded afresh.
    void show(Slope slope);

    CrossoverWindow* current() const { return m_current; }
    // The top-level window on the screen; closing it ends the program.
    QWidget* topLevel() const { return m_topLevel; }

private:
    QPointer<QWidget> m_topLevel;
    QPointer<CrossoverWindow> m_current;
};
