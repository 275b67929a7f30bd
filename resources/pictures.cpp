#include "pictures.h"

#include "picturepixels.h"

#include <lz4.h>

extern const PackedRaster brelkot_window_icon_16;
extern const PackedRaster brelkot_window_icon_32;
extern const PackedRaster brelkot_window_icon_48;

namespace {

// Unpacks a raster into a new image of its own, so that the pixels go with
// the last image that shows them. Null should the packed data not fill it
// exactly.
QImage unpack(const PackedRaster& raster, QImage::Format format)
{
    QImage image(raster.width, raster.height, format);
    const auto size = int(image.sizeInBytes());
    if (image.isNull() ||
        LZ4_decompress_safe(reinterpret_cast<const char*>(raster.data),
                            reinterpret_cast<char*>(image.bits()), raster.size, size) != size)
        return {};
    return image;
}

} // namespace

QImage embeddedPicture(QStringView source, int scale)
{
    for (const PictureEntry& entry : pictureIndex) {
        if (source != QStringView(entry.source))
            continue;
        if (scale <= 1)
            return unpack(*entry.normal, QImage::Format_RGB32);
        QImage image = unpack(*entry.dense, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        return image;
    }
    return {};
}

QImage embeddedWindowIcon(int size)
{
    const PackedRaster* raster = size == 16   ? &brelkot_window_icon_16
                                 : size == 32 ? &brelkot_window_icon_32
                                 : size == 48 ? &brelkot_window_icon_48
                                              : nullptr;
    return raster ? unpack(*raster, QImage::Format_ARGB32_Premultiplied) : QImage();
}
