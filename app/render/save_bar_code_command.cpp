#include "app/render/save_bar_code_command.h"

#include "app/model/app_state.h"
#include "app/render/save_symbol.h"

namespace quillet {

bool MBSave_Click(AppState& app) {
    if (!app.ui) return false;
    auto chosen = app.ui->fileDialog(
        true, "Save Bar Code As",
        "Windows MetaFile (*.wmf)|*.wmf|Windows Bitmap (*.bmp)|*.bmp|Graphics Interchange Format (*.gif)|*.gif|"
        "Tag Image Format (*.tif)|*.tif|Encapsulated Postscript (*.eps)|*.eps|"
        "JPG - Joint Photographic Expert Format (*.jpg)|*.jpg|Portable Network Graphics (*.png)|*.png|"
        "Truevision Targa (*.tga)|*.tga|Zsoft PC Paintbrush (*.pcx)|*.pcx|Scalable Vector Graphics (*.svg)|*.svg|"
        "Portable Document Format (*.pdf)|*.pdf|All Files (*.*)|*.*",
        app.barCodeFilePath);
    if (!chosen || chosen->empty()) return false;
    app.barCodeFilePath = *chosen;
    return SaveSymbolImage(app, app.barCodeFilePath);
}

}  // namespace quillet
