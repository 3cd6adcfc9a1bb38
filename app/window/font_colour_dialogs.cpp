#include "app/window/font_colour_dialogs.h"

#include <QColorDialog>
#include <QFontDialog>

#include <cmath>
#include <functional>

#include "app/commands/option_commands.h"
#include "app/model/app_state.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

// Colours are kept as Windows RGB values, red in the low byte.
QColor qtColour(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
Colour storedColour(const QColor& c) { return Colour(c.red()) | Colour(c.green()) << 8 | Colour(c.blue()) << 16; }

void runColourDialog(QtUserInterface& ui, QWidget* parent, Colour current, const char* name,
                     const std::function<void(Colour)>& store) {
    QColorDialog dialog(qtColour(current), parent);
    dialog.setObjectName(name);
    if (ui.show(dialog) == QDialog::Accepted) store(storedColour(dialog.currentColor()));
}

}  // namespace

void runFontDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const SymbolSettings& s = app.settings;
    QFont font(QString::fromStdString(s.fontName));
    font.setPointSize(s.fontSize);
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    font.setStrikeOut(s.strikeout);
    QFontDialog dialog(font, parent);
    dialog.setObjectName("MCustFont");
    if (ui.show(dialog) != QDialog::Accepted) return;
    const QFont chosen = dialog.currentFont();
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : s.fontSize;
    setFont(app, {chosen.family().toStdString(), int(std::lround(points)), chosen.bold(), chosen.italic(),
                  chosen.underline(), chosen.strikeOut()});
}

void runForegroundColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    runColourDialog(ui, parent, app.settings.foreColour, "MFColor", [&](Colour c) { setForeColour(app, c); });
}

void runFontColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    runColourDialog(ui, parent, app.settings.fontColour, "MFontColor", [&](Colour c) { setFontColour(app, c); });
}

void runBackgroundColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    runColourDialog(ui, parent, app.settings.backColour, "SMBColor", [&](Colour c) { setBackColour(app, c); });
}

}  // namespace quillet
