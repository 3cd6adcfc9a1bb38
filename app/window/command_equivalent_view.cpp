#include "app/window/command_equivalent_view.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/automation/command_equivalent.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

void runCommandEquivalentView(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const CommandEquivalent equivalent = commandEquivalent(app);
    const QString execute = QString::fromStdString(equivalent.execute);
    QDialog dialog(parent);
    dialog.setObjectName("CommandEquivalent");
    dialog.setWindowTitle("Command Equivalent");
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new QLabel("Execute string for the current settings and message:", &dialog));
    auto* text = new QPlainTextEdit(execute, &dialog);
    text->setObjectName("CommandText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->selectAll();
    column->addWidget(text);
    if (!equivalent.left.empty()) {
        QString left = "Not reachable by commands (kept as a fresh start has them):";
        for (const std::string& setting : equivalent.left) left += "\n  " + QString::fromStdString(setting);
        auto* note = new QLabel(left, &dialog);
        note->setObjectName("NotReachable");
        column->addWidget(note);
    }
    const DialogButtons buttons = addDialogButtons(dialog, *column, "&Copy", "Close");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog,
                     [execute] { QGuiApplication::clipboard()->setText(execute); });
    ui.show(dialog);
}

}  // namespace quillet
