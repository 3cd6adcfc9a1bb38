#include "app/render/save_symbol.h"

#include <vector>

#include "app/model/app_state.h"
#include "app/render/imgconv.h"
#include "platform/file_output.h"
#include "platform/placeable.h"

namespace quillet {

namespace {

void reportSaveFailure(AppState& app, const std::string& path, const std::string& reason) {
    if (app.ui) {
        app.ui->beep();
        app.ui->messageBox("Cannot save the bar code as \"" + path + "\": " + reason + ".", app.appTitle,
                           platform::Buttons::Ok);
    }
}

// Why nothing could be saved, or empty when the file was written.
std::string saveFailure(AppState& app, const std::string& path) {
    if (path.empty()) return "no file name";
    std::vector<uint8_t> placeable;
    if (const auto& symbol = app.output.lastSymbol) {
        const RecordedMetafile& m = symbol->metafile;
        placeable = platform::placeableMetafileBytes(m.records, m.xExt, m.yExt);
    }
    if (placeable.empty()) return "no bar code has been built";
    if (!convertsTo(path)) return platform::replaceFileBytes(path, placeable).reason;
    const RasterOptions& r = app.settings.raster;
    return saveBarCodeBytes(placeable, path, r.rasterBitsPerPixel, r.rasterResolution, r.jpegQuality, r.pngFilter,
                            r.pngInterlace, r.bmpCompression, r.tgaCompression, r.tiffCompression, r.gifCompression)
        .reason;
}

}  // namespace

bool SaveSymbolImage(AppState& app, const std::string& path) {
    const std::string failure = saveFailure(app, path);
    if (!failure.empty()) reportSaveFailure(app, path, failure);
    return failure.empty();
}

}  // namespace quillet
