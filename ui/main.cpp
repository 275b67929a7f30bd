#include "navigator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brelkot"));
    QApplication::setApplicationVersion(QStringLiteral(BRELKOT_VERSION));

    Navigator navigator;
    navigator.show(Slope::First);
    return QApplication::exec();
}
