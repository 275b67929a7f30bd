// A second floor: the least a Qt Widgets program does to show text, in the
// program's default font, on one window of the program's size: one label and
// one empty text box. Beside the empty window of bench_minimal_qt it shows
// what drawing any text costs in start-up and memory, before the program's
// own windows come in.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(7.5);
    QApplication::setFont(font);
    QWidget window;
    window.resize(794, 568);
    auto* label = new QLabel(QStringLiteral("Необходими данни"), &window);
    label->move(72, 340);
    auto* box = new QLineEdit(&window);
    box->setGeometry(64, 360, 97, 13);
    window.show();
    return QApplication::exec();
}
