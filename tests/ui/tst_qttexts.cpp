// Qt's own texts, which the windows show without the program writing them, in
// Bulgarian whatever the locale; CTest runs this under a C and a Bulgarian one.
#include "application.h"
#include "form1.h"
#include "messagewatcher.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

class QtTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        identifyApplication();
        qInfo("locale %s", qPrintable(QLocale::system().name()));
    }

    void textBoxContextMenuIsBulgarian()
    {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* entry = window.findChild<QLineEdit*>("Text1");
        QVERIFY(entry);

        // A right click, as the window system reports it.
        const QPoint inside = entry->rect().center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, inside, entry->mapToGlobal(inside));
        QApplication::sendEvent(entry, &click);

        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            // Without the mnemonic marks and the shortcuts after the tab.
            if (!action->isSeparator())
                texts << action->text().section(u'\t', 0, 0).remove(u'&');
        }
        menu->close();
        QCOMPARE(texts, (QStringList{"Отмяна", "Повтаряне", "Изрязване", "Копиране", "Поставяне",
                                     "Изтриване", "Избиране на всичко"}));
    }

    void messageBoxButtonIsBulgarian()
    {
        MessageWatcher watcher;
        Form1 window;
        QTest::keyClicks(window.findChild<QLineEdit*>("Text1"), "a");

        QCOMPARE(watcher.messages.size(), 1);
        QCOMPARE(watcher.messages.first().buttonText, QString("Добре"));
    }
};

QTEST_MAIN(QtTextsTest)
#include "tst_qttexts.moc"
