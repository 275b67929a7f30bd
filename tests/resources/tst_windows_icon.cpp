// The Windows icon file: seven images in a fixed order, two with a
// 256-colour palette and a transparency mask, five with 32-bit alpha.

#include <QFile>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

quint16 u16(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

int stride(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// Bit of the AND mask at (x, y), y counted from the top.
bool masked(const QByteArray& mask, int size, int x, int y)
{
    const int row = size - 1 - y;
    return quint8(mask[row * stride(size, 1) + x / 8]) & (0x80 >> (x % 8));
}

} // namespace

class TestWindowsIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void directory();
    void image_data();
    void image();

private:
    QByteArray ico;
};

void TestWindowsIcon::initTestCase()
{
    QFile file(QStringLiteral(BRELKOT_WINDOWS_ICO));
    QVERIFY2(file.open(QIODevice::ReadOnly), BRELKOT_WINDOWS_ICO);
    ico = file.readAll();
    QVERIFY(ico.size() > 6 + 7 * 16);
}

void TestWindowsIcon::directory()
{
    QCOMPARE(u16(ico, 0), quint16(0));
    QCOMPARE(u16(ico, 2), quint16(1)); // an icon, not a cursor
    QCOMPARE(u16(ico, 4), quint16(7));
    // The images follow the directory back to back, in its order, to the end.
    quint32 expected = 6 + 7 * 16;
    for (int i = 0; i < 7; ++i) {
        const qsizetype entry = 6 + i * 16;
        QCOMPARE(u32(ico, entry + 12), expected);
        expected += u32(ico, entry + 8);
    }
    QCOMPARE(qsizetype(expected), ico.size());
}

void TestWindowsIcon::image_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("bits");
    const int sizes[] = {32, 16, 256, 128, 48, 32, 16};
    const int bits[] = {8, 8, 32, 32, 32, 32, 32};
    for (int i = 0; i < 7; ++i)
        QTest::addRow("image %d: %dx%d, %d bits", i + 1, sizes[i], sizes[i], bits[i])
            << i << sizes[i] << bits[i];
}

void TestWindowsIcon::image()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(int, bits);

    const qsizetype entry = 6 + index * 16;
    QCOMPARE(int(quint8(ico[entry])), size % 256);     // width, 0 meaning 256
    QCOMPARE(int(quint8(ico[entry + 1])), size % 256); // height
    QCOMPARE(int(quint8(ico[entry + 2])), 0);          // 256 colours or more
    QCOMPARE(int(u16(ico, entry + 4)), 1);             // planes
    QCOMPARE(int(u16(ico, entry + 6)), bits);
    const QByteArray data = ico.mid(u32(ico, entry + 12), u32(ico, entry + 8));

    if (data.startsWith("\x89PNG\r\n\x1a\n")) {
        QCOMPARE(size, 256); // only the largest image is stored compressed
        QCOMPARE(data.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(int(qFromBigEndian<quint32>(data.constData() + 16)), size);
        QCOMPARE(int(qFromBigEndian<quint32>(data.constData() + 20)), size);
        QCOMPARE(int(quint8(data[24])), 8); // 8 bits a channel
        QCOMPARE(int(quint8(data[25])), 6); // RGBA
        return;
    }

    QCOMPARE(u32(data, 0), quint32(40)); // BITMAPINFOHEADER
    QCOMPARE(int(u32(data, 4)), size);
    QCOMPARE(int(u32(data, 8)), 2 * size); // colour bitmap plus mask
    QCOMPARE(int(u16(data, 12)), 1);
    QCOMPARE(int(u16(data, 14)), bits);
    QCOMPARE(u32(data, 16), quint32(0)); // uncompressed
    const int paletteBytes = bits == 8 ? 256 * 4 : 0;
    if (bits == 8)
        QVERIFY(u32(data, 32) == 0 || u32(data, 32) == 256);
    const int pixelBytes = stride(size, bits) * size;
    QCOMPARE(int(data.size()), 40 + paletteBytes + pixelBytes + stride(size, 1) * size);
    const QByteArray pixels = data.mid(40 + paletteBytes, pixelBytes);
    const QByteArray mask = data.mid(40 + paletteBytes + pixelBytes);

    // Transparent around, opaque in the middle, in the mask ...
    QVERIFY(masked(mask, size, 0, 0));
    QVERIFY(masked(mask, size, size - 1, size - 1));
    QVERIFY(!masked(mask, size, size / 2, size / 2));

    if (bits == 8) {
        // ... and the palette images draw several colours.
        QSet<int> used;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (!masked(mask, size, x, y))
                    used.insert(quint8(pixels[y * stride(size, 8) + x]));
        QVERIFY2(used.size() >= 8, qPrintable(QStringLiteral("%1 colours").arg(used.size())));
        return;
    }

    // ... and in the alpha channel, which has soft edges.
    auto alpha = [&](int x, int y) {
        return int(quint8(pixels[(size - 1 - y) * size * 4 + x * 4 + 3]));
    };
    QCOMPARE(alpha(0, 0), 0);
    QCOMPARE(alpha(size / 2, size / 2), 255);
    int soft = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            soft += alpha(x, y) > 0 && alpha(x, y) < 255;
    QVERIFY(soft > 0);
}

QTEST_APPLESS_MAIN(TestWindowsIcon)
#include "tst_windows_icon.moc"
