#pragma once

#include <span>

// A raster as the build carries it: brelkot_rasterize's width x height
// pixels, one 32-bit word each in the format of its kind, row after row
// without padding, packed into `size` bytes in the form that embeddedPicture
// unpacks.
struct PackedRaster
{
    int width;
    int height;
    const unsigned char* data;
    int size;
};

// A picture at the usual pixel density and at twice it, under the name the
// windows' layouts give it.
struct PictureEntry
{
    const char16_t* source;
    const PackedRaster* normal;
    const PackedRaster* dense;
};

// Every picture; generated.
extern const std::span<const PictureEntry> pictureIndex;
