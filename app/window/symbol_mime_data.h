#pragma once
// A built symbol as the desktop clipboard offers it: a PNG image at the
// target printer's resolution, the placeable metafile and the message as
// text. The image is drawn only when a program asks for it, so a run of
// builds costs nothing until something is pasted.
#include <QMimeData>

#include <optional>
#include <string>

#include "app/model/built_symbol.h"

namespace quillet {

inline constexpr const char* kPngFormat = "image/png";
inline constexpr const char* kWmfFormat = "image/x-wmf";

struct ClipboardSymbol {
    RecordedMetafile picture;  // no records: text only
    int dpiX = 300, dpiY = 300;
    std::optional<std::string> text;  // ANSI
};

class SymbolMimeData : public QMimeData {
public:
    explicit SymbolMimeData(ClipboardSymbol symbol) : symbol_(std::move(symbol)) {}

    const ClipboardSymbol& symbol() const { return symbol_; }
    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override { return formats().contains(mimeType); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    ClipboardSymbol symbol_;
};

// The PNG file of the picture at dpiX x dpiY, carrying that resolution;
// empty when the picture cannot be drawn.
QByteArray pictureAsPng(const RecordedMetafile& picture, int dpiX, int dpiY);

}  // namespace quillet
