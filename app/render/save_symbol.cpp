#include "app/render/save_symbol.h"

#include <vector>

#include "app/model/app_state.h"
#include "app/render/imgconv.h"
#include "platform/file_output.h"
#include "platform/placeable.h"

namespace quillet {

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
        (!convertsTo(path)
             ? platform::replaceFileBytes(path, placeable)
             : saveBarCodeBytes(placeable, path, r.rasterBitsPerPixel, r.rasterResolution, r.jpegQuality, r.pngFilter,
                                r.pngInterlace, r.bmpCompression, r.tgaCompression, r.tiffCompression,
                                r.gifCompression) == 0);
    if (!saved) reportSaveFailure(app, path);
    return saved;
}

}  // namespace quillet
