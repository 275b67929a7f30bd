#include "picture.h"

#include "pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHideEvent>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>

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
    // Saying it is a PNG, with detection off, keeps the reader from loading
    // each image-format plugin to ask whether it reads the file.
    QImageReader reader(file.filePath(), "png");
    reader.setAutoDetectImageFormat(false);
    QPixmapCache::insert(key, QPixmap::fromImage(reader.read()));
}

void Picture::setSource(const QString& path)
{
    m_source = path;
    setPixmap(QPixmap::fromImage(embeddedPicture(path, devicePixelRatioF() > 1 ? 2 : 1)));
}

void Picture::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        setPixmap(QPixmap());
    QLabel::hideEvent(event);
}

void Picture::showEvent(QShowEvent* event)
{
    if (pixmap().isNull() && !m_source.isEmpty())
        setSource(m_source);
    QLabel::showEvent(event);
}
