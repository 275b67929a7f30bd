#pragma once

#include <QtGlobal>

#include <span>

// A window picture as the build carries it: its pixels as brelkot_rasterize
// wrote them, one 0xffRRGGBB word each, row after row without padding.
struct PictureRaster
{
    int width;
    int height;
    const quint32* pixels;
};

// A picture at the usual pixel density and at twice it, under the name the
// windows' layouts give it.
struct PictureEntry
{
    const char16_t* source;
    PictureRaster normal;
    PictureRaster dense;
};

// Every picture; generated.
extern const std::span<const PictureEntry> pictureIndex;
