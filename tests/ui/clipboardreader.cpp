// A second program that reads the clipboard as a user's paste into it would,
// and prints the text on standard output. On Wayland a client is offered the
// clipboard only while it has the keyboard focus, so it shows a small window
// and reads once that window is active and the offer has come; on X11 it
// reads at once. Exits 1 when no text came within ten seconds.
#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QClipboard* clipboard = QGuiApplication::clipboard();
    bool done = false;
    const auto read = [clipboard, &done] {
        const QByteArray text = clipboard->text().toUtf8();
        // Both the offer and the focus may come before the loop ends.
        if (text.isEmpty() || done)
            return;
        done = true;
        std::fwrite(text.data(), 1, std::size_t(text.size()), stdout);
        QCoreApplication::exit(0);
    };

    QWidget window;
    window.setWindowTitle(QStringLiteral("clipboard reader"));
    window.resize(160, 80);
    QObject::connect(clipboard, &QClipboard::dataChanged, &app, read);
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &app, read);
    window.show();
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QTimer::singleShot(0, &app, read);
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}
