#include "navigator.h"

#include "form1.h"
#include "form2.h"
#include "form3.h"

#include <QCoreApplication>
#include <QScreen>

namespace {

// The fixed border: minimise and close, no maximise.
constexpr Qt::WindowFlags fixedBorder =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

CrossoverWindow* createWindow(Slope slope, QWidget* parent)
{
    switch (slope) {
    case Slope::First:
        return new Form1(parent);
    case Slope::Second:
        return new Form2(parent);
    case Slope::Third:
        return new Form3(parent);
    }
    return nullptr;
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

} // namespace

Navigator::Navigator(QObject* parent)
    : QObject(parent), m_topLevel(new QWidget(nullptr, fixedBorder))
{
    // Closing it unloads the slope window inside, and the program ends with it.
    m_topLevel->setAttribute(Qt::WA_DeleteOnClose);
}

Navigator::~Navigator()
{
    delete m_topLevel;
}

void Navigator::show(Slope slope)
{
    // The old window goes before the new one is built, so that the two never
    // hold their pictures at once; nothing is painted in between.
    delete m_current;
    CrossoverWindow* next = createWindow(slope, m_topLevel);
    // Queued: a switch deletes the button that asked for it, so it waits
    // until that button's click handler has returned.
    connect(next, &CrossoverWindow::switchRequested, this, &Navigator::show, Qt::QueuedConnection);
    connect(next, &CrossoverWindow::exitRequested, qApp, &QCoreApplication::quit);
    // All three carry the same caption and client area, but each says so in its layout.
    m_topLevel->setWindowTitle(next->windowTitle());
    m_topLevel->setFixedSize(next->size());
    next->show();
    m_current = next;

    centreOnScreen(m_topLevel);
    m_topLevel->show();
}
