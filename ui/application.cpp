#include "application.h"

#include "picture.h"
#include "pictures.h"
#include "textboxstyle.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QTranslator>

void identifyApplication()
{
    QApplication::setApplicationName(QStringLiteral("brelkot"));
    QApplication::setApplicationVersion(QStringLiteral(BRELKOT_VERSION));
    // Matches the windows to the desktop entry, for its name and its large icons.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brelkot.Brelkot"));

    // The platform's style, which the text boxes are drawn flat in. Set
    // before any window, no control is polished twice.
    QApplication::setStyle(new TextBoxStyle(QApplication::style()->name()));

    // Qt's own texts, such as the text boxes' context menu and the message
    // box's button, in Bulgarian like the rest of the interface, whatever the
    // locale.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QStringLiteral(":/translations/qtbase_bg.qm")))
        QCoreApplication::installTranslator(qtTexts);

    // The windows' default font, which every control but the woofer's three
    // text boxes uses, and the message boxes with them. Set here, before any
    // window, no other face is looked up or loaded.
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(7.5);
    QApplication::setFont(font);

    // Title bars and task switchers need no more than 48 pixels; each size
    // given here is sent to the window system for the window.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(embeddedWindowIcon(size)));
    QApplication::setWindowIcon(icon);

    Picture::cacheGroupBoxFrame();
}
