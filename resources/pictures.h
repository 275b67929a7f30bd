#pragma once

#include <QImage>
#include <QStringView>

// The windows' pictures, drawn from their SVG sources at build time and
// carried in the executable packed; each is unpacked straight into the image
// that shows it, as opaque RGB32 pixels, the form the paint engine draws
// without converting.
//
// The picture the layouts name `source` (":/pictures/form1/Image1.png") for
// a device pixel ratio of `scale`, 1 or 2; a null image if there is none. The
// image owns its pixels: once no image shows them, they are freed. The 2x
// pictures are unpacked only when asked for, so that a 1x screen never reads
// them.
QImage embeddedPicture(QStringView source, int scale);

// The application icon at `size` pixels, 16, 32 or 48, as the window system
// is given it: premultiplied ARGB32, unpacked like the pictures; a null image
// for other sizes.
QImage embeddedWindowIcon(int size);
