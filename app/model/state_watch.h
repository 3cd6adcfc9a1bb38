#pragma once
// What a front end needs to know to redraw: a revision that counts every
// change of the settings, the window model or the last built symbol,
// whatever made it (menu, dialog, execute string, socket client).
#include <cstdint>
#include <functional>
#include <string>

#include "app/model/built_symbol.h"
#include "app/model/main_window.h"
#include "app/model/settings.h"

namespace quillet {

struct StateWatch {
    uint64_t revision = 0;
    // Called after the revision has counted a change.
    std::function<void()> listener;
    // The state as last seen (message-file lines left out: their count,
    // path and position stand for them).
    SymbolSettings seenSettings;
    MainWindow seenWindow;
    RecordedMetafile seenPicture;  // of the last built symbol
    std::string seenTotalLength, seenCheckValue;
};

}  // namespace quillet
