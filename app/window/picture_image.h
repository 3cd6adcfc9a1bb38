#pragma once
// A metafile picture as a Qt image, drawn by the program's own renderer.
#include <QImage>

#include "platform/metafile_pict.h"

namespace quillet {

// The picture at its physical size (extents in 0.01 mm) at dpiX x dpiY
// pixels per inch; a null image when its metafile is gone or cannot be drawn.
QImage pictureImage(const gdi::MetafilePict& picture, double dpiX, double dpiY);

}  // namespace quillet
