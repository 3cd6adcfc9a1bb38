#include "app/render/save_symbol.h"

#include <cctype>
#include <vector>

#include "app/model/app_state.h"
#include "app/render/imgconv.h"
#include "platform/file_output.h"
#include "platform/placeable.h"

namespace quillet {

std::string rasterExtension(const std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kRaster[] = {"GIF", "JPG", "PNG", "EPS", "TIF", "BMP", "TGA", "PCX"};
    for (const char* r : kRaster)
        if (ext == r) return ext;
    return {};
}

static void reportSaveFailure(AppState& app, const std::string& path) {
    if (app.ui) {
        app.ui->beep();
        app.ui->messageBox("Cannot save the bar code as \"" + path + "\".", app.appTitle, platform::Buttons::Ok);
    }
}

bool SaveSymbolImage(AppState& app, const std::string& path) {
    std::vector<uint8_t> placeable;
    if (const auto& symbol = app.output.lastSymbol) {
        const RecordedMetafile& m = symbol->metafile;
        placeable = platform::placeableMetafileBytes(m.records, m.xExt, m.yExt);
    }
    const RasterOptions& r = app.settings.raster;
    const bool saved =
        !path.empty() && !placeable.empty() &&
        (rasterExtension(path).empty()
             ? platform::replaceFileBytes(path, placeable)
             : saveBarCodeBytes(placeable, path, r.rasterBitsPerPixel, r.rasterResolution, r.jpegQuality, r.pngFilter,
                                r.pngInterlace, r.bmpCompression, r.tgaCompression, r.tiffCompression,
                                r.gifCompression) == 0);
    if (!saved) reportSaveFailure(app, path);
    return saved;
}

}  // namespace quillet
