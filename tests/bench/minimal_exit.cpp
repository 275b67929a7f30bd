// The floor for a command-line calculation: a program that links the same Qt
// libraries as Brelkot, so the dynamic loader maps and relocates them all,
// and exits at once.

#include <QApplication>

int main(int argc, char* argv[])
{
    // Never taken; the reference keeps Qt Widgets, Gui and Core linked.
    if (argc < 0) {
        QApplication app(argc, argv);
        return QApplication::exec();
    }
    return 0;
}
