#include "application.h"

#include <QApplication>
#include <QIcon>

void identifyApplication()
{
    QApplication::setApplicationName(QStringLiteral("brelkot"));
    QApplication::setApplicationVersion(QStringLiteral(BRELKOT_VERSION));
    // Matches the windows to the desktop entry, for its name and its large icons.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brelkot.Brelkot"));

    // Title bars and task switchers need no more than 48 pixels; each size
    // given here is decoded and sent to the window system for the window.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/brelkot-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}
