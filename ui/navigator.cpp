#include "navigator.h"

#include "form1.h"
#include "form2.h"
#include "form3.h"

#include <QCoreApplication>

namespace {

CrossoverWindow* createWindow(Slope slope)
{
    switch (slope) {
    case Slope::First:
        return new Form1;
    case Slope::Second:
        return new Form2;
    case Slope::Third:
        return new Form3;
    }
    return nullptr;
}

} // namespace

Navigator::~Navigator()
{
    delete m_current;
}

void Navigator::show(Slope slope)
{
    CrossoverWindow* next = createWindow(slope);
    // Closing the only window ends the program.
    next->setAttribute(Qt::WA_DeleteOnClose);
    connect(next, &CrossoverWindow::switchRequested, this, &Navigator::show);
    connect(next, &CrossoverWindow::exitRequested, qApp, &QCoreApplication::quit);
    next->show();

    if (m_current) {
        // The old window is still inside its button's click handler: hide it
        // now and let it go once that handler has returned.
        m_current->hide();
        m_current->deleteLater();
    }
    m_current = next;
}
