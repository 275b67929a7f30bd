// The windows on a screen of twice the usual pixel density.
#include "form1.h"
#include "form2.h"
#include "form3.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <memory>

class HighDensityTest : public QObject
{
    Q_OBJECT

private slots:
    void picturesUseTheirDoubleSizeDrawings_data()
    {
        QTest::addColumn<int>("order");
        QTest::newRow("Form1") << 1;
        QTest::newRow("Form2") << 2;
        QTest::newRow("Form3") << 3;
    }

    void picturesUseTheirDoubleSizeDrawings()
    {
        QFETCH(int, order);
        std::unique_ptr<QWidget> window;
        if (order == 1)
            window = std::make_unique<Form1>();
        else if (order == 2)
            window = std::make_unique<Form2>();
        else
            window = std::make_unique<Form3>();
        window->show();

        for (int i = 1; i <= 7; ++i) {
            const auto* picture = window->findChild<QLabel*>(QString("Image%1").arg(i));
            QVERIFY(picture);
            const QPixmap pixmap = picture->pixmap();
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
            const QSize logical = i == 7 ? QSize(90, order == 1 ? 87 : 88) : QSize(200, 150);
            QCOMPARE(pixmap.size(), logical * 2);
        }
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDensityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
