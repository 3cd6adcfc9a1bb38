#include "platform/clipboard.h"

#include "platform/gdi.h"

namespace platform {

InProcessClipboard::~InProcessClipboard() { empty(); }

void InProcessClipboard::empty() {
    if (pict_ && pict_->hMF) gdi::DeleteMetaFile(pict_->hMF);
    pict_.reset();
    text_.reset();
}

void InProcessClipboard::setMetafilePict(const gdi::MetafilePict& pict) {
    // Replacing the picture releases the one held before, unless it is the
    // same metafile handed in again.
    if (pict_ && pict_->hMF && pict_->hMF != pict.hMF) gdi::DeleteMetaFile(pict_->hMF);
    pict_ = pict;
}

void InProcessClipboard::setText(const std::string& text) { text_ = text; }

namespace {
Clipboard* current = nullptr;
}

Clipboard& clipboard() {
    // Never destroyed: the gdi object table may be gone before static
    // destructors run, and the clipboard lives for the whole process.
    static InProcessClipboard* fallback = new InProcessClipboard;
    return current ? *current : *fallback;
}

void setClipboard(Clipboard* replacement) { current = replacement; }

}  // namespace platform
