// The floor: the least a Qt Widgets program does to show one window of the
// program's size. Start-up and memory of the program are measured against it.
// A click replaces the window by a new one, shown first and the old one then
// hidden and deleted, so that switching has a floor too. Its three windows
// differ only in colour, so that the new one can be told from the old one on
// the screen.

#include <QApplication>
#include <QColor>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace {

class Window : public QWidget
{
public:
    explicit Window(int index) : m_index(index)
    {
        static const QColor colours[] = {QColor(0xef, 0xef, 0xef), QColor(0xd0, 0xe0, 0xf0),
                                         QColor(0xf0, 0xe0, 0xd0)};
        QPalette face = palette();
        face.setColor(QPalette::Window, colours[index]);
        setPalette(face);
        resize(794, 568);
    }

protected:
    // The upper and the lower slope button of the program, with its targets.
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const bool upper = event->position().y() < 216;
        const int next = upper ? (m_index == 0 ? 1 : 0) : (m_index == 2 ? 1 : 2);
        auto* window = new Window(next);
        window->show();
        hide();
        deleteLater();
    }

private:
    int m_index;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto* window = new Window(0);
    window->show();
    return QApplication::exec();
}
