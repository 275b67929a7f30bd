#include "navigator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brelkot"));
    QApplication::setApplicationVersion(QStringLiteral(BRELKOT_VERSION));
    // Matches the windows to the desktop entry, for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brelkot.Brelkot"));

    Navigator navigator;
    navigator.show(Slope::First);
    return QApplication::exec();
}
