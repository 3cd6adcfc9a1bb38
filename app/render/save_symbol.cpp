#include "app/render/save_symbol.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "app/model/app_state.h"
#include "app/render/imgconv.h"

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
    if (path.empty() || app.scratchMetafilePath.empty() || !std::filesystem::exists(app.scratchMetafilePath)) {
        reportSaveFailure(app, path);
        return false;
    }
    if (rasterExtension(path).empty()) {
        // Write beside the target and rename, so a failed copy never leaves
        // half a file where a good one was.
        std::error_code ec;
        const std::string temp = path + ".tmp~";
        std::filesystem::copy_file(app.scratchMetafilePath, temp, std::filesystem::copy_options::overwrite_existing, ec);
        if (!ec) std::filesystem::rename(temp, path, ec);
        if (ec) {
            std::filesystem::remove(temp, ec);
            reportSaveFailure(app, path);
            return false;
        }
        return true;
    }
    const RasterOptions& r = app.settings.raster;
    std::vector<char> source(app.scratchMetafilePath.begin(), app.scratchMetafilePath.end());
    source.push_back('\0');
    std::vector<char> target(path.begin(), path.end());
    target.push_back('\0');
    int rc = SAVEBARCODE(source.data(), target.data(), r.rasterBitsPerPixel, r.rasterResolution, r.jpegQuality, r.pngFilter,
                         r.pngInterlace, r.bmpCompression, r.tgaCompression, r.tiffCompression, r.gifCompression);
    if (rc != 0) {
        reportSaveFailure(app, path);
        return false;
    }
    return true;
}

}  // namespace quillet
