#include "app/commands/select_symbology.h"

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"
#include "app/pdf417/pdf417_patterns.h"
#include "app/render/pdf417_pattern_file.h"

namespace quillet {

void selectSymbology(AppState& app, int code) {
    if (code == int(Symbology::Pdf417) && !pdf417PatternTable().loaded && !LoadPdf417Tables(app)) {
        pdf417PatternTable().loadFailed = false;
        return;
    }
    setSymbologyFields(app, code);
}

}  // namespace quillet
