#include "app/window/help_window.h"

#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/automation/command_table.h"
#include "app/model/app_state.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QString commandReference() {
    QString html =
        "<h2>Commands</h2>"
        "<p>Everything the window does can be done by execute strings of bracketed commands, run one after "
        "the other: from a script with <code>quillet --execute \"...\"</code>, a file of them with "
        "<code>quillet --batch FILE</code>, or a client on the automation socket while the window runs. "
        "Edit, Command Equivalent shows the string for the current settings and message.</p>"
        "<p>Example: <code>[CODE128][MESSAGE='ABC 123'][BUILD/COPY][SAVEBARCODE(label.png)]</code></p>"
        "<p>Values of [MESSAGE=, [SUPPLEMENT=, [INCPREAMBLE= and [INCPOSTAMBLE= are quoted text and decimal "
        "character codes: <code>'A'9'B'</code> is A, a tab, B. A ] always ends a command; give it as 93.</p>"
        "<pre>";
    for (const std::string& form : commandForms()) html += QString::fromStdString(form).toHtmlEscaped() + "\n";
    return html + "</pre>";
}

}  // namespace

void runHelpWindow(QtUserInterface& ui, QWidget* parent, AppState&) {
    QDialog dialog(parent);
    dialog.setObjectName("HelpWindow");
    dialog.setWindowTitle("Quillet Help");
    auto* column = new QVBoxLayout(&dialog);
    auto* text = new QTextBrowser(&dialog);
    text->setObjectName("HelpText");
    text->setHtml(commandReference());
    column->addWidget(text);
    auto* close = new QPushButton("Close", &dialog);
    close->setObjectName("Command2");
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    column->addWidget(close);
    dialog.resize(640, 520);
    ui.show(dialog);
}

void runAboutBox(QtUserInterface& ui, QWidget*, AppState& app) {
    ui.messageBox(app.appTitle + "\r\n\r\nBar codes at their true size, for the clipboard, files and the "
                                 "printer.\r\n"
                      "Help, Commands lists the command language.",
                  "About Quillet", platform::Buttons::Ok, platform::Icon::Information);
}

}  // namespace quillet
