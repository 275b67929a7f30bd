#include "picture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QThreadPool>

#include <memory>

namespace {

// A PNG drawing from the resources; a null image if there is none.
QImage decode(const QString& path)
{
    // Every drawing is a PNG. Saying so, with detection off, keeps the reader
    // from loading each image-format plugin to ask whether it reads the file.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// One thread decodes a window's pictures in turn, on the second core, while
// the window's other controls are built on the first.
QThreadPool& decoder()
{
    static QThreadPool pool;
    pool.setMaxThreadCount(1);
    return pool;
}

} // namespace

QPixmap Picture::load(const QString& path)
{
    return QPixmap::fromImage(decode(path));
}

void Picture::cacheGroupBoxFrame()
{
    const QFileInfo file(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    if (!file.exists())
        return;
    // The key QPixmap::load files it under: the path, then the modification
    // time, the size and the pixmap type (0, a pixmap) as hexadecimal digits,
    // least significant first. Should Qt change it, the style decodes the
    // frame itself as before, and draws the same pixels.
    const auto hex = [](quint64 value, int digits) {
        QString text;
        for (int i = 0; i < digits; ++i)
            text += QLatin1Char("0123456789abcdef"[(value >> (4 * i)) & 0xf]);
        return text;
    };
    const QString key = QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
                        hex(quint32(file.lastModified().toSecsSinceEpoch()), 8) +
                        hex(quint64(file.size()), 16) + hex(0, 8);
    QPixmapCache::insert(key, load(file.filePath()));
}

void Picture::setSource(const QString& path)
{
    m_source = path;
    const bool dense = devicePixelRatioF() > 1;
    auto decoded = std::make_shared<std::promise<QImage>>();
    m_decoded = decoded->get_future();
    decoder().start([path, dense, decoded] {
        QImage image;
        if (dense) {
            QString densePath = path;
            densePath.insert(densePath.lastIndexOf(u'.'), u"@2x");
            image = decode(densePath);
            image.setDevicePixelRatio(2);
        }
        if (image.isNull())
            image = decode(path);
        decoded->set_value(std::move(image));
    });
}

bool Picture::event(QEvent* event)
{
    // Nothing is kept once the window has gone: a window made again decodes
    // its seven pictures afresh (about 1.5 ms, beside the building of its
    // other controls) rather than holding all 21 (about 1.4 MiB).
    if (event->type() == QEvent::Polish && m_decoded.valid())
        setPixmap(QPixmap::fromImage(m_decoded.get()));
    return QLabel::event(event);
}
