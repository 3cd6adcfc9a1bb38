#pragma once
// A metafile picture as a Qt image, drawn by the program's own renderer.
#include <QImage>

#include "app/model/built_symbol.h"

namespace quillet {

// The picture at its physical size (extents in 0.01 mm) at dpiX x dpiY
// pixels per inch; a null image when it cannot be drawn.
QImage pictureImage(const RecordedMetafile& picture, double dpiX, double dpiY);

}  // namespace quillet
