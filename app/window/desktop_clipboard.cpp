#include "app/window/desktop_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/model/app_state.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

namespace quillet {

namespace {

// Our own data on the desktop clipboard, or null when another program's
// (or nothing) is there.
const SymbolMimeData* ours() {
    return dynamic_cast<const SymbolMimeData*>(QGuiApplication::clipboard()->mimeData());
}

}  // namespace

void DesktopClipboard::empty() {
    authority_.empty();
    published_ = {};
    // A symbol that failed to build must not stay there to be pasted; what
    // another program copied is not ours to remove.
    if (ours()) QGuiApplication::clipboard()->clear();
}

void DesktopClipboard::setMetafilePict(const gdi::MetafilePict& pict) {
    authority_.setMetafilePict(pict);
    published_.picture = {gdi::GetMetaFileBits(pict.hMF), pict.mm, pict.xExt, pict.yExt};
    published_.dpiX = app_.settings.printerDpiX;
    published_.dpiY = app_.settings.printerDpiY;
    if (!app_.settings.message.empty()) published_.text = app_.settings.message;
    publish();
}

void DesktopClipboard::setText(const std::string& text) {
    authority_.setText(text);
    published_.text = text;
    publish();
}

void DesktopClipboard::publish() {
    // The clipboard owns and deletes the data it is given.
    QGuiApplication::clipboard()->setMimeData(new SymbolMimeData(published_));
}

std::optional<std::string> DesktopClipboard::desktopText() const {
    if (const SymbolMimeData* mine = ours()) return mine->symbol().text;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return platform::utf8ToAnsi(data->text().toStdString());
}

bool DesktopClipboard::desktopHasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

std::vector<char32_t> DesktopClipboard::desktopTextOutsideAnsi() const {
    if (ours()) return {};
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return {};
    return platform::charactersOutsideAnsi(data->text().toStdString());
}

void DesktopClipboard::takeDesktopText(bool utf8) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (utf8 && !ours() && data && data->hasText()) authority_.setText(data->text().toStdString());
    else if (std::optional<std::string> text = desktopText()) authority_.setText(*text);
}

}  // namespace quillet
