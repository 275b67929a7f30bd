// Build-time tool: turns the SVG sources of the pictures and of the
// application icon into the rasters the program and the installers carry.
//
//   brelkot_rasterize picture <in.svg> <out.png> <out@2x.png> <out.cpp> <out@2x.cpp>
//                             <name> <width> <height>
//       Renders the drawing opaque (white behind it) at width x height and at
//       twice that size; writes both as 24-bit PNGs to look at, and as the C++
//       the program carries: the PackedRasters `name` and `name`_2x of
//       QImage's RGB32 pixels.
//   brelkot_rasterize icon <in.svg> <out-dir>
//       Writes out-dir/brelkot.png (256 x 256), brelkot-128/48/32/16.png (RGBA);
//       out-dir/windowicon.cpp, the PackedRasters brelkot_window_icon_48, _32
//       and _16 of premultiplied ARGB32 pixels; and out-dir/brelkot.ico with seven
//       images: 32 and 16 pixels with a 256-colour palette and a transparency
//       mask, then 256 (PNG), 128, 48, 32 and 16 pixels with 32-bit alpha.
//   brelkot_rasterize sheet <out.png> <picture.png>...
//       Lays the given rasters out side by side, each under its name, for looking
//       at them all at once (transparent ones over a checkerboard).

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <lz4hc.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "brelkot_rasterize: %s\n", qPrintable(message));
    return 1;
}

bool loadSvg(QSvgRenderer& renderer, const QString& path)
{
    return renderer.load(path) && renderer.isValid();
}

QImage renderOpaque(QSvgRenderer& renderer, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return image;
}

QImage renderTransparent(QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The C++ definition of the PackedRaster `name` holding the pixels of
// `image` (picturepixels.h): its 32-bit words, row after row, in the image's
// format, packed as one LZ4 block. The pictures are flat drawings with long
// runs, which LZ4 packs to a few per cent and the program unpacks at little
// more than the cost of writing the pixels; the slowest, tightest level costs
// only build time.
QByteArray packedRaster(const QByteArray& name, const QImage& image)
{
    const auto* pixels = reinterpret_cast<const char*>(image.constBits());
    const int size = int(image.sizeInBytes());
    QByteArray packed(LZ4_compressBound(size), Qt::Uninitialized);
    const int packedSize =
        LZ4_compress_HC(pixels, packed.data(), size, int(packed.size()), LZ4HC_CLEVEL_MAX);
    if (packedSize <= 0)
        qFatal("brelkot_rasterize: cannot pack %s", name.constData());
    packed.truncate(packedSize);
    QByteArray out = "namespace {\nconst unsigned char " + name + "_packed[] = {\n";
    for (qsizetype i = 0; i < packed.size(); ++i) {
        out += QByteArray::number(quint8(packed[i])) + ',';
        if ((i + 1) % 24 == 0 || i + 1 == packed.size())
            out += '\n';
    }
    return out + "};\n} // namespace\nextern const PackedRaster " + name + " = {" +
           QByteArray::number(image.width()) + ", " + QByteArray::number(image.height()) + ", " +
           name + "_packed, sizeof " + name + "_packed};\n\n";
}

// The head of a generated C++ file of pixels drawn from `svg`.
QByteArray pixelSourceHead(const QString& svg, const QByteArray& what)
{
    return "// " + what + " drawn by brelkot_rasterize from " + QFileInfo(svg).fileName().toUtf8() +
           ", packed; generated, not edited.\n#include \"picturepixels.h\"\n\n";
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

int picture(const QStringList& args)
{
    if (args.size() != 8)
        return fail(QStringLiteral("picture needs <in.svg> <out.png> <out@2x.png> <out.cpp> "
                                   "<out@2x.cpp> <name> <width> <height>"));
    QSvgRenderer renderer;
    if (!loadSvg(renderer, args[0]))
        return fail(QStringLiteral("cannot read ") + args[0]);
    const int width = args[6].toInt();
    const int height = args[7].toInt();
    if (width <= 0 || height <= 0)
        return fail(QStringLiteral("bad size"));
    for (int scale : {1, 2}) {
        const QImage image = renderOpaque(renderer, width * scale, height * scale);
        const QString& png = args[scale];
        QDir().mkpath(QFileInfo(png).absolutePath());
        if (!image.save(png, "PNG"))
            return fail(QStringLiteral("cannot write ") + png);
        const QByteArray name = args[5].toLatin1() + (scale == 2 ? "_2x" : "");
        const QByteArray what = QByteArray::number(image.width()) + " x " +
                                QByteArray::number(image.height()) + " RGB32 pixels";
        if (!writeFile(args[2 + scale],
                       pixelSourceHead(args[0], what) +
                           packedRaster(name, image.convertToFormat(QImage::Format_RGB32))))
            return fail(QStringLiteral("cannot write ") + args[2 + scale]);
    }
    return 0;
}

// ---- Windows icon ----------------------------------------------------------

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// The AND mask of an icon bitmap: one bit a pixel, 1 = transparent, rows
// bottom-up and padded to 32 bits.
void appendMask(QByteArray& out, const QImage& image, int alphaThreshold)
{
    const int stride = ((image.width() + 31) / 32) * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) < alphaThreshold)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
}

void appendInfoHeader(QByteArray& out, int size, int bitCount, int coloursUsed)
{
    const int xorStride = ((size * bitCount + 31) / 32) * 4;
    const int andStride = ((size + 31) / 32) * 4;
    put32(out, 40);                // biSize
    put32(out, quint32(size));     // biWidth
    put32(out, quint32(size * 2)); // biHeight: colour bitmap plus mask
    put16(out, 1);                 // biPlanes
    put16(out, quint16(bitCount)); // biBitCount
    put32(out, 0);                 // biCompression: BI_RGB
    put32(out, quint32((xorStride + andStride) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, quint32(coloursUsed));
    put32(out, 0);
}

QByteArray bitmap32(const QImage& image)
{
    QByteArray out;
    appendInfoHeader(out, image.width(), 32, 0);
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out.append(char(qBlue(p)))
                .append(char(qGreen(p)))
                .append(char(qRed(p)))
                .append(char(qAlpha(p)));
        }
    appendMask(out, image, 1);
    return out;
}

// Median cut: splits the colours of the opaque pixels into at most 256 boxes
// and takes each box's mean as a palette entry.
QList<QRgb> medianCutPalette(std::vector<QRgb> colours)
{
    struct Box
    {
        std::size_t begin, end;
    };
    auto channel = [](QRgb c, int ch) {
        return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
    };
    auto widest = [&](const Box& b, int& range) {
        int best = 0;
        range = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (std::size_t i = b.begin; i < b.end; ++i) {
                lo = std::min(lo, channel(colours[i], ch));
                hi = std::max(hi, channel(colours[i], ch));
            }
            if (hi - lo > range) {
                range = hi - lo;
                best = ch;
            }
        }
        return best;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < 256) {
        int pick = -1, pickRange = 0, pickChannel = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            const int ch = widest(boxes[i], range);
            if (boxes[i].end - boxes[i].begin > 1 && range > pickRange) {
                pick = int(i);
                pickRange = range;
                pickChannel = ch;
            }
        }
        if (pick < 0)
            break;
        Box& b = boxes[std::size_t(pick)];
        std::sort(
            colours.begin() + long(b.begin), colours.begin() + long(b.end),
            [&](QRgb l, QRgb r) { return channel(l, pickChannel) < channel(r, pickChannel); });
        const std::size_t mid = b.begin + (b.end - b.begin) / 2;
        const Box upper{mid, b.end};
        b.end = mid;
        boxes.push_back(upper);
    }
    QList<QRgb> palette;
    for (const Box& b : boxes) {
        long r = 0, g = 0, bl = 0;
        for (std::size_t i = b.begin; i < b.end; ++i) {
            r += qRed(colours[i]);
            g += qGreen(colours[i]);
            bl += qBlue(colours[i]);
        }
        const long n = long(std::max<std::size_t>(1, b.end - b.begin));
        palette.append(qRgb(int(r / n), int(g / n), int(bl / n)));
    }
    return palette;
}

// A 256-colour bitmap with a transparency mask. Pixels at least half opaque
// keep their own colour; the rest (the soft shadow included) become transparent.
QByteArray bitmap8(const QImage& image)
{
    constexpr int threshold = 128;
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) >= threshold)
                colours.push_back(image.pixel(x, y) | 0xff000000u);
    QList<QRgb> palette = medianCutPalette(colours);
    palette.prepend(qRgb(0, 0, 0)); // index 0 sits under the transparent pixels
    palette.resize(256, qRgb(0, 0, 0));

    auto nearest = [&](QRgb c) {
        int best = 1, bestDistance = INT_MAX;
        for (int i = 1; i < palette.size(); ++i) {
            const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                      db = qBlue(c) - qBlue(palette[i]);
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return best;
    };

    QByteArray out;
    appendInfoHeader(out, image.width(), 8, 256);
    for (QRgb c : palette)
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    const int stride = ((image.width() * 8 + 31) / 32) * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) >= threshold)
                row[x] = char(nearest(p));
        }
        out.append(row);
    }
    appendMask(out, image, threshold);
    return out;
}

QByteArray pngData(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

int icon(const QStringList& args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("icon needs <in.svg> <out-dir>"));
    QSvgRenderer renderer;
    if (!loadSvg(renderer, args[0]))
        return fail(QStringLiteral("cannot read ") + args[0]);
    const QDir dir(args[1]);
    QDir().mkpath(dir.absolutePath());

    QByteArray windowIcon = pixelSourceHead(args[0], "Premultiplied ARGB32 pixels");
    for (int size : {256, 128, 48, 32, 16}) {
        const QString name = size == 256 ? QStringLiteral("brelkot.png")
                                         : QStringLiteral("brelkot-%1.png").arg(size);
        const QImage image = renderTransparent(renderer, size);
        if (!image.save(dir.filePath(name), "PNG"))
            return fail(QStringLiteral("cannot write ") + dir.filePath(name));
        if (size <= 48)
            windowIcon += packedRaster("brelkot_window_icon_" + QByteArray::number(size),
                                       image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    if (!writeFile(dir.filePath(QStringLiteral("windowicon.cpp")), windowIcon))
        return fail(QStringLiteral("cannot write ") +
                    dir.filePath(QStringLiteral("windowicon.cpp")));

    struct Entry
    {
        int size, bitCount;
        QByteArray data;
    };
    std::vector<Entry> entries;
    for (int size : {32, 16})
        entries.push_back({size, 8, bitmap8(renderTransparent(renderer, size))});
    entries.push_back({256, 32, pngData(renderTransparent(renderer, 256))});
    for (int size : {128, 48, 32, 16})
        entries.push_back({size, 32, bitmap32(renderTransparent(renderer, size))});

    QByteArray ico;
    put16(ico, 0); // reserved
    put16(ico, 1); // type: icon
    put16(ico, quint16(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        ico.append(char(e.size == 256 ? 0 : e.size)); // width, 0 means 256
        ico.append(char(e.size == 256 ? 0 : e.size)); // height
        ico.append('\0');                             // colour count: 0 for 256 and more
        ico.append('\0');                             // reserved
        put16(ico, 1);                                // planes
        put16(ico, quint16(e.bitCount));
        put32(ico, quint32(e.data.size()));
        put32(ico, offset);
        offset += quint32(e.data.size());
    }
    for (const Entry& e : entries)
        ico.append(e.data);

    if (!writeFile(dir.filePath(QStringLiteral("brelkot.ico")), ico))
        return fail(QStringLiteral("cannot write ") + dir.filePath(QStringLiteral("brelkot.ico")));
    return 0;
}

// ---- Contact sheet -----------------------------------------------------------

int sheet(const QStringList& args)
{
    if (args.size() < 2)
        return fail(QStringLiteral("sheet needs <out.png> <picture.png>..."));
    constexpr int columns = 7, gap = 12, caption = 16;
    QList<QImage> images;
    int cellW = 0, cellH = 0;
    for (qsizetype i = 1; i < args.size(); ++i) {
        QImage image(args[i]);
        if (image.isNull())
            return fail(QStringLiteral("cannot read ") + args[i]);
        cellW = std::max(cellW, image.width());
        cellH = std::max(cellH, image.height());
        images.append(image);
    }
    const int rows = int((images.size() + columns - 1) / columns);
    QImage out(gap + columns * (cellW + gap), gap + rows * (cellH + caption + gap),
               QImage::Format_RGB888);
    out.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&out);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int x = gap + int(i % columns) * (cellW + gap);
        const int y = gap + int(i / columns) * (cellH + caption + gap);
        const QFileInfo info(args[i + 1]);
        painter.setPen(Qt::white);
        painter.drawText(QRect(x, y, cellW, caption), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1/%2 %3x%4")
                             .arg(info.dir().dirName(), info.fileName())
                             .arg(images[i].width())
                             .arg(images[i].height()));
        const QRect target(x, y + caption, images[i].width(), images[i].height());
        if (images[i].hasAlphaChannel())
            for (int cy = 0; cy < target.height(); cy += 8)
                for (int cx = 0; cx < target.width(); cx += 8)
                    painter.fillRect(
                        QRect(target.x() + cx, target.y() + cy, 8, 8).intersected(target),
                        ((cx + cy) / 8) % 2 ? QColor(0xcc, 0xcc, 0xcc) : QColor(0xff, 0xff, 0xff));
        painter.drawImage(target.topLeft(), images[i]);
    }
    painter.end();
    return out.save(args[0], "PNG") ? 0 : fail(QStringLiteral("cannot write ") + args[0]);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    if (args.isEmpty())
        return fail(QStringLiteral("usage: brelkot_rasterize picture|icon|sheet ..."));
    const QString command = args.takeFirst();
    if (command == QLatin1String("picture"))
        return picture(args);
    if (command == QLatin1String("icon"))
        return icon(args);
    if (command == QLatin1String("sheet"))
        return sheet(args);
    return fail(QStringLiteral("unknown command ") + command);
}
