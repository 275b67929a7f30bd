#include "pictures.h"

#include "picturepixels.h"

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

extern const quint32 brelkot_window_icon_16[];
extern const quint32 brelkot_window_icon_32[];
extern const quint32 brelkot_window_icon_48[];

namespace {

// Called once no image shows the raster any more. Its pages were read from
// the executable when it was first drawn, and count as the program's memory
// for as long as they stay mapped in; dropped, they cost no more than being
// read again from the page cache should the picture come back. Only whole
// pages of the raster go, never another array's.
void dropPages(void* raster)
{
#ifdef Q_OS_LINUX
    const auto& pixels = *static_cast<const PictureRaster*>(raster);
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(pixels.pixels) + page - 1) & ~(page - 1);
    const auto end =
        reinterpret_cast<std::uintptr_t>(pixels.pixels + pixels.width * pixels.height) &
        ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
    Q_UNUSED(raster);
#endif
}

} // namespace

QImage embeddedPicture(QStringView source, int scale)
{
    for (const PictureEntry& entry : pictureIndex) {
        if (source != QStringView(entry.source))
            continue;
        const PictureRaster& raster = scale > 1 ? entry.dense : entry.normal;
        QImage image(reinterpret_cast<const uchar*>(raster.pixels), raster.width, raster.height,
                     raster.width * qsizetype(sizeof(quint32)), QImage::Format_RGB32, dropPages,
                     const_cast<PictureRaster*>(&raster));
        if (scale > 1)
            image.setDevicePixelRatio(scale);
        return image;
    }
    return {};
}

QImage embeddedWindowIcon(int size)
{
    const quint32* pixels = size == 16   ? brelkot_window_icon_16
                            : size == 32 ? brelkot_window_icon_32
                            : size == 48 ? brelkot_window_icon_48
                                         : nullptr;
    if (!pixels)
        return {};
    return QImage(reinterpret_cast<const uchar*>(pixels), size, size,
                  size * qsizetype(sizeof(quint32)), QImage::Format_ARGB32_Premultiplied);
}
