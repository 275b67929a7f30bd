#include "picture.h"

#include <QIcon>
#include <QImageReader>

void Picture::setSource(const QString& path)
{
    m_source = path;
    // QIcon is what looks for the @2x file; the plain file gives the size.
    setPixmap(QIcon(path).pixmap(QImageReader(path).size(), devicePixelRatioF()));
}
