#include "app/commands/state_changes.h"

#include <utility>

#include "app/model/app_state.h"

namespace quillet {

bool noteStateChanges(AppState& app) {
    StateWatch& w = app.watch;
    // Message-file lines can run to millions: they are set aside while the
    // settings are compared and copied.
    TextLines lines;
    std::swap(lines, app.settings.numbering.messageLines);
    const RecordedMetafile none;
    const RecordedMetafile& picture = app.output.lastSymbol ? app.output.lastSymbol->metafile : none;
    const bool changed = !(app.settings == w.seenSettings) || !(app.window == w.seenWindow) ||
                         !(picture == w.seenPicture) || app.output.totalLength != w.seenTotalLength ||
                         app.output.checkValue != w.seenCheckValue;
    if (changed) {
        w.seenSettings = app.settings;
        w.seenWindow = app.window;
        w.seenPicture = picture;
        w.seenTotalLength = app.output.totalLength;
        w.seenCheckValue = app.output.checkValue;
    }
    std::swap(lines, app.settings.numbering.messageLines);
    if (!changed) return false;
    ++w.revision;
    if (w.listener) w.listener();
    return true;
}

}  // namespace quillet
