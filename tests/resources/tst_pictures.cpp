// The window pictures and the window icon as the program carries them in
// brelkot_resources, and the icons installed beside it.

#include "pictures.h"

#include <QHash>
#include <QImage>
#include <QtTest>

namespace {

const QColor orange(0xFF, 0x7F, 0x27);
const QColor green(0x22, 0xB1, 0x4C);
const QColor yellow(0xDC, 0xDC, 0x05);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor emblemGrey(0xF0, 0xF0, 0xF0);

int countColour(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour.rgb();
    return n;
}

QRgb mostFrequentColour(const QImage& image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.cbegin(), counts.cend(), [](int a, int b) { return a < b; })
        .key();
}

int darkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 64;
    return n;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void windowIcon_data();
    void windowIcon();
};

void TestPictures::picture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drawing"); // the PNGs the build drew it into, less ".png"
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("response"); // invalid for schematics and emblems

    const QColor responses[] = {orange, green, yellow};
    const char* const names[] = {
        "low-pass graph",  "low-pass schematic",  "band-pass graph", "band-pass schematic",
        "high-pass graph", "high-pass schematic", "emblem"};
    for (int form = 1; form <= 3; ++form)
        for (int n = 1; n <= 7; ++n) {
            const QString path = QStringLiteral(":/pictures/form%1/Image%2.png").arg(form).arg(n);
            const bool emblem = n == 7;
            const QSize size = emblem ? QSize(90, form == 1 ? 87 : 88) : QSize(200, 150);
            const QColor response = n % 2 == 1 && !emblem ? responses[(n - 1) / 2] : QColor();
            const QString drawing =
                QStringLiteral(BRELKOT_PICTURE_DIR "/form%1/Image%2").arg(form).arg(n);
            QTest::addRow("form%d Image%d %s", form, n, names[n - 1])
                << path << drawing << size << (emblem ? emblemGrey : white) << response;
        }
}

void TestPictures::picture()
{
    QFETCH(QString, path);
    QFETCH(QString, drawing);
    QFETCH(QSize, size);
    QFETCH(QColor, background);
    QFETCH(QColor, response);

    QImage images[2];
    for (int scale : {1, 2}) {
        // As the paint engine draws it without converting, at the density it is for.
        const QImage image = embeddedPicture(path, scale);
        QVERIFY2(!image.isNull(), qPrintable(path + QLatin1String(" is not carried")));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(image.size(), size * scale);
        QCOMPARE(image.devicePixelRatio(), qreal(scale));
        // Its pixels are its own, freed with it, not a view of read-only
        // ones: writing them copies nothing.
        QImage own = embeddedPicture(path, scale);
        const uchar* pixels = own.constBits();
        QVERIFY(own.bits() == pixels);
        // Unpacked, every pixel is the one the build drew.
        QImage drawn(drawing + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
        drawn.setDevicePixelRatio(scale);
        QCOMPARE(image, drawn.convertToFormat(QImage::Format_RGB32));

        const QRgb bg = background.rgb();
        QCOMPARE(image.pixel(0, 0), bg);
        QCOMPARE(image.pixel(image.width() - 1, 0), bg);
        QCOMPARE(image.pixel(0, image.height() - 1), bg);
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), bg);
        QCOMPARE(mostFrequentColour(image), bg);
        QVERIFY2(darkPixels(image) > 40 * scale * scale, "no black drawing or text");

        // The graph's response is drawn in its group's colour and in no other.
        for (const QColor& colour : {orange, green, yellow}) {
            const int n = countColour(image, colour);
            if (colour == response)
                QVERIFY2(n > 150 * scale * scale,
                         qPrintable(QStringLiteral("%1 pixels of the response colour").arg(n)));
            else
                QVERIFY2(n == 0,
                         qPrintable(QStringLiteral("%1 pixels of %2").arg(n).arg(colour.name())));
        }
        images[scale - 1] = image;
    }

    // The double-size picture is the same drawing.
    const QImage reduced = images[1].scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = images[0].pixel(x, y), b = reduced.pixel(x, y);
            difference +=
                qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
        }
    const double mean = double(difference) / (size.width() * size.height() * 3);
    QVERIFY2(mean < 12.0, qPrintable(QStringLiteral("mean difference %1").arg(mean)));
}

// The icons installed for the desktop's theme, and the window icon the
// executable carries, as the window system is given it.
void TestPictures::windowIcon_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("size");
    // For the window icon, the theme's of its size, drawn by the same build.
    QTest::addColumn<QImage>("drawn");
    const QString theme = QStringLiteral(BRELKOT_ICON_DIR "/");
    const auto themeIcon = [&](int size) {
        return QImage(theme + QStringLiteral("brelkot-%1.png").arg(size));
    };
    QTest::newRow("theme 256") << QImage(theme + QStringLiteral("brelkot.png")) << 256 << QImage();
    for (int size : {128, 48, 32, 16})
        QTest::addRow("theme %d", size) << themeIcon(size) << size << QImage();
    for (int size : {48, 32, 16})
        QTest::addRow("window %d", size)
            << embeddedWindowIcon(size) << size
            << themeIcon(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TestPictures::windowIcon()
{
    QFETCH(QImage, image);
    QFETCH(int, size);
    QFETCH(QImage, drawn);
    QVERIFY2(!image.isNull(), "missing");
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    if (!drawn.isNull())
        QCOMPARE(image, drawn);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(qAlpha(argb.pixel(corner)), 0);
    QCOMPARE(qAlpha(argb.pixel(size / 2, size / 2)), 255);
    int soft = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int a = qAlpha(argb.pixel(x, y));
            soft += a > 0 && a < 128;
        }
    QVERIFY2(soft >= size / 2, "no soft shadow");
}

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_pictures.moc"
