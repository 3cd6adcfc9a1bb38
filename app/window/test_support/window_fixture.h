#pragma once
// The desktop window on a started application state, for tests: every
// dialog the window's user interface would show is answered by a script
// and remembered, so no test waits for a person.
#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/automation/automation_session.h"
#include "app/window/desktop_window.h"
#include "tests/support/zxing_decode.h"

class QWidget;

namespace quillet::test {

struct ShownBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString checkBox;  // the check box's caption, if the box has one
};

struct WindowFixture {
    Session session;
    std::unique_ptr<DesktopWindow> window;
    std::vector<ShownBox> boxes;
    // The button each message box is answered with; OK unless set.
    std::function<QMessageBox::StandardButton(const ShownBox&)> answer;
    // Whether a box's check box ("Do not show this message again.") is ticked.
    bool tickCheckBoxes = false;
    // What happens in every other dialog (a test clicks its buttons); it
    // is cancelled unless set.
    std::function<void(QDialog&)> dialog;
    int dialogsShown = 0;

    explicit WindowFixture(bool pasteHint = false);
    AppState& app() { return session.app; }

    template <class W>
    W* find(const char* name) const {
        return window->findChild<W*>(QString(name));
    }
    // The menu entry with this caption (as written, '&' included).
    QAction* menuEntry(const QString& caption) const;
    void choose(const QString& caption) const;
    void typeInto(const char* box, const QString& text) const;
    void replaceText(const char* box, const QString& text) const;
    void pressBuildCopy() const;
    // The preview as the window shows it, with a white margin for the reader.
    GreyImage preview() const;
};

// A widget's or screen's pixels as grey levels.
GreyImage greyImage(const class QImage& image);

}  // namespace quillet::test
