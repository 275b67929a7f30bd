#include "application.h"
#include "commandline.h"
#include "graphicalsession.h"
#include "navigator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = runCommandLine(argc, argv))
        return *status;
    const std::unique_ptr<QApplication> app = startApplication(argc, argv);
    if (!app)
        return 1;
    identifyApplication();

    Navigator navigator;
    navigator.show(Slope::First);
    return QApplication::exec();
}
