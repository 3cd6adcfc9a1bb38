#include "app/window/symbol_mime_data.h"

#include <QBuffer>
#include <QImage>

#include "app/window/picture_image.h"
#include "app/window/qt_user_interface.h"
#include "platform/placeable.h"

namespace quillet {

namespace {

constexpr double kInchesPerMetre = 1000.0 / 25.4;

}  // namespace

QByteArray pictureAsPng(const RecordedMetafile& picture, int dpiX, int dpiY) {
    QImage image = pictureImage(picture, dpiX, dpiY);
    if (image.isNull()) return {};
    // Programs that honour the resolution paste the symbol at its true size.
    image.setDotsPerMeterX(int(dpiX * kInchesPerMetre + 0.5));
    image.setDotsPerMeterY(int(dpiY * kInchesPerMetre + 0.5));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG")) return {};
    return bytes;
}

QStringList SymbolMimeData::formats() const {
    QStringList list;
    if (!symbol_.picture.records.empty()) list << kPngFormat << kWmfFormat;
    if (symbol_.text) list << QStringLiteral("text/plain");
    return list;
}

QVariant SymbolMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    const RecordedMetafile& p = symbol_.picture;
    if (mimeType == kPngFormat && !p.records.empty()) return pictureAsPng(p, symbol_.dpiX, symbol_.dpiY);
    if (mimeType == kWmfFormat && !p.records.empty()) {
        const std::vector<uint8_t> bytes = platform::placeableMetafileBytes(p.records, p.xExt, p.yExt);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    if (mimeType == QLatin1String("text/plain") && symbol_.text) {
        const QString text = ansiText(*symbol_.text);
        if (type.id() == QMetaType::QString) return text;
        return text.toUtf8();
    }
    return {};
}

}  // namespace quillet
