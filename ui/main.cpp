#include "application.h"
#include "navigator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    identifyApplication();

    Navigator navigator;
    navigator.show(Slope::First);
    return QApplication::exec();
}
