#include "app/window/picture_image.h"

#include <cstring>

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/renderer.h"

namespace quillet {

QImage pictureImage(const RecordedMetafile& picture, double dpiX, double dpiY) {
    if (picture.records.empty() || !gdi::fitsInt16(picture.xExt) || !gdi::fitsInt16(picture.yExt)) return {};
    const auto image = platform::renderToImage(
        platform::addPlaceableHeader(picture.records, int16_t(picture.xExt), int16_t(picture.yExt)), dpiX, dpiY);
    if (!image) return {};
    QImage out(image->width, image->height, QImage::Format_ARGB32);
    for (int y = 0; y < image->height; ++y)
        std::memcpy(out.scanLine(y), &image->argb[size_t(y) * size_t(image->width)], size_t(image->width) * 4);
    return out;
}

}  // namespace quillet
