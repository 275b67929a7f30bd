#include "picture.h"

#include <QPixmap>

void Picture::setSource(const QString& path)
{
    m_source = path;
    // On a dense screen the name@2x.png drawing. QPixmap::load keeps what it
    // decoded by file name, so a window made again reuses its pictures.
    QPixmap pixmap;
    if (devicePixelRatioF() > 1) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(u'.'), u"@2x");
        if (pixmap.load(dense))
            pixmap.setDevicePixelRatio(2);
    }
    if (pixmap.isNull())
        pixmap.load(path);
    setPixmap(pixmap);
}
