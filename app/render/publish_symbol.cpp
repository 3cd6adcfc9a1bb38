#include "app/render/publish_symbol.h"

#include "app/model/app_state.h"
#include "app/render/drawing_math.h"
#include "platform/file_output.h"
#include "platform/placeable.h"

namespace quillet {

namespace {

// A picture whose extents the header cannot hold leaves the file as it was.
platform::WriteResult writeScratchFile(const std::string& path, const RecordedMetafile& m) {
    const std::vector<uint8_t> bytes = platform::placeableMetafileBytes(m.records, m.xExt, m.yExt);
    if (path.empty() || bytes.empty()) return {true, {}};
    return platform::overwriteFileBytes(path, bytes);
}

// A symbol whose scratch file is damaged is no symbol: it goes nowhere, and
// no earlier one stays behind to be saved or printed in its place.
void reportScratchFailure(AppState& app, gdi::Handle metafile, const std::string& reason) {
    if (metafile) gdi::DeleteMetaFile(metafile);
    app.output.lastSymbol.reset();
    app.output.saveEnabled = false;
    app.output.dbpSaveEnabled = false;
    app.settings.symbolBuilt = false;
    if (!app.ui) return;
    app.ui->beep();
    app.ui->messageBox("Cannot write the bar code to the scratch file \"" + app.scratchMetafilePath + "\": " + reason +
                           ". The bar code was not copied.",
                       app.appTitle, platform::Buttons::Ok);
}

}  // namespace

BuiltSymbol symbolValue(int xExt, int yExt, int width, int height) {
    BuiltSymbol v;
    v.metafile.xExt = xExt;
    v.metafile.yExt = yExt;
    v.width = width;
    v.height = height;
    return v;
}

void publishSymbol(AppState& app, gdi::Handle metafile, BuiltSymbol symbol, Finish finish) {
    RecordedMetafile& m = symbol.metafile;
    m.records = gdi::GetMetaFileBits(metafile);
    if (finish != Finish::ScratchWritten && !app.scratchDeferred) {
        const platform::WriteResult written = writeScratchFile(app.scratchMetafilePath, m);
        if (!written) return reportScratchFailure(app, metafile, written.reason);
    }
    app.output.symbolWidth = symbol.width;
    app.output.symbolHeight = symbol.height;
    app.output.totalLength = formatLength(symbol.width, app.settings.unitMode == UnitMetric);

    if (app.clipboard) {
        app.clipboard->empty();
        app.clipboard->setMetafilePict({m.mapMode, m.xExt, m.yExt, metafile});
    } else {
        gdi::DeleteMetaFile(metafile);
    }
    app.output.lastSymbol = std::move(symbol);
    app.output.saveEnabled = true;
    if (finish == Finish::LinearSymbol || finish == Finish::FimPattern) app.output.dbpSaveEnabled = true;
    if (finish != Finish::FimPattern) app.settings.symbolBuilt = true;
    if (finish != Finish::FimPattern && app.onBuilt) app.onBuilt(app);
}

bool finishDeferredScratch(AppState& app) {
    app.scratchDeferred = false;
    if (!app.output.lastSymbol) return true;
    const platform::WriteResult written = writeScratchFile(app.scratchMetafilePath, app.output.lastSymbol->metafile);
    if (!written) reportScratchFailure(app, 0, written.reason);
    return bool(written);
}

}  // namespace quillet
