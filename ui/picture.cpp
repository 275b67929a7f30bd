#include "picture.h"

#include <QImageReader>
#include <QPixmap>

QPixmap Picture::load(const QString& path)
{
    // Every drawing is a PNG. Saying so, with detection off, keeps the reader
    // from loading each image-format plugin to ask whether it reads the file.
    // Nothing is kept once the window has gone: a window made again decodes
    // its seven pictures afresh (about 1.5 ms) rather than holding all 21
    // (about 1.4 MiB).
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

void Picture::setSource(const QString& path)
{
    m_source = path;
    QPixmap pixmap;
    if (devicePixelRatioF() > 1) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(u'.'), u"@2x");
        pixmap = load(dense);
        pixmap.setDevicePixelRatio(2);
    }
    if (pixmap.isNull())
        pixmap = load(path);
    setPixmap(pixmap);
}
