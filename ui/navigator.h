#pragma once

#include "crossoverwindow.h"

#include <QObject>
#include <QPointer>

// The window of `slope`, built from its layout and loaded afresh.
CrossoverWindow* createWindow(Slope slope, QWidget* parent = nullptr);

// Start, switching and exit: exactly one slope window exists at a time. The
// slope windows show in one top-level window that lasts the whole run, so a
// switch builds the new window's controls but no new native window.
class Navigator : public QObject
{
    Q_OBJECT

public:
    explicit Navigator(QObject* parent = nullptr);
    ~Navigator() override;

    // Shows the window of `slope` loaded afresh in place of the current one,
    // which is hidden at once and deleted once control is back in the event
    // loop. Refused while a message box is open.
    void show(Slope slope);

    CrossoverWindow* current() const { return m_current; }
    // The top-level window on the screen; closing it ends the program.
    QWidget* topLevel() const { return m_topLevel; }

private:
    QPointer<QWidget> m_topLevel;
    QWidget* m_titleBar = nullptr; // only where the program draws its own
    QPointer<CrossoverWindow> m_current;
};
