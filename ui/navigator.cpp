#include "navigator.h"

#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "titlebar.h"

#include <QApplication>
#include <QScreen>

namespace {

// The fixed border: minimise and close, no maximise.
constexpr Qt::WindowFlags fixedBorder =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

void centreOnScreen(QWidget* window)
{
    // Halves of the spare room, as the window system centres a new window:
    // QRect::center() lies half a pixel up and left of that and would move
    // the window by a pixel at every switch.
    if (const QScreen* screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.topLeft() + QPoint((area.width() - window->width()) / 2,
                                             (area.height() - window->height()) / 2));
    }
}

} // namespace

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

Navigator::Navigator(QObject* parent)
    : QObject(parent), m_topLevel(new QWidget(nullptr, fixedBorder))
{
    // Closing it unloads the slope window inside, and the program ends with it.
    m_topLevel->setAttribute(Qt::WA_DeleteOnClose);
    // On Wayland Qt draws the title bar itself, and its own always offers
    // maximise; the program's offers only what a window of fixed size may.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        m_topLevel->setWindowFlag(Qt::FramelessWindowHint);
        m_titleBar = new TitleBar(m_topLevel);
    }
}

Navigator::~Navigator()
{
    delete m_topLevel;
}

void Navigator::show(Slope slope)
{
    // A message box is waiting in a handler of the current window, which must
    // outlive it; the box is modal, so nothing switches until it is answered.
    if (QApplication::activeModalWidget())
        return;
    // The switch happens at the click, so that input already queued behind it
    // reaches the new window. The old window is still on the stack of its
    // button's click handler: hidden now, it goes once that has returned.
    if (m_current) {
        m_current->hide();
        m_current->deleteLater();
    }
    CrossoverWindow* next = createWindow(slope, m_topLevel);
    connect(next, &CrossoverWindow::switchRequested, this, &Navigator::show);
    connect(next, &CrossoverWindow::exitRequested, qApp, &QCoreApplication::quit);
    // All three carry the same caption and client area, but each says so in its layout.
    m_topLevel->setWindowTitle(next->windowTitle());
    const int top = m_titleBar ? m_titleBar->height() : 0;
    next->move(0, top);
    m_topLevel->setFixedSize(next->width(), top + next->height());
    next->show();
    m_current = next;

    centreOnScreen(m_topLevel);
    m_topLevel->show();
}
