#pragma once

#include <QImage>
#include <QStringView>

// The windows' pictures, drawn from their SVG sources at build time and
// carried in the executable as opaque RGB32 pixels, the form the paint engine
// draws without converting: showing one decodes nothing.
//
// The picture the layouts name `source` (":/pictures/form1/Image1.png") for
// a device pixel ratio of `scale`, 1 or 2; a null image if there is none. At
// 1 the image lies over the executable's own pixels, no copy; at 2 it is a
// copy, as QImage copies pixels it may not write to give them a pixel ratio.
// Once no image shows a picture's pixels, their pages leave the program's
// memory again.
QImage embeddedPicture(QStringView source, int scale);

// The application icon at `size` pixels, 16, 32 or 48, as the window system
// is given it: premultiplied ARGB32 over the executable's own pixels; a null
// image for other sizes.
QImage embeddedWindowIcon(int size);
