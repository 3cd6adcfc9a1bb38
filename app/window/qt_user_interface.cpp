#include "app/window/qt_user_interface.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "app/window/dialog_filter.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A box closed without a button (Escape, the title bar) answers Cancel
// where it has one, else the answer that goes on least.
Answer answerOf(int clicked, Buttons buttons) {
    switch (clicked) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
    }
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

}  // namespace

QString ansiText(const std::string& ansi) {
    QString text = QString::fromStdString(platform::ansiToUtf8(ansi));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int QtUserInterface::show(QDialog& dialog) { return runDialog ? runDialog(dialog) : dialog.exec(); }

Answer QtUserInterface::messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
    QMessageBox box(boxIcon(icon), ansiText(title), ansiText(text), standardButtons(buttons), parent_);
    if (buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel) box.setEscapeButton(QMessageBox::Cancel);
    return answerOf(show(box), buttons);
}

bool QtUserInterface::messageWithCheckBox(const std::string& text, const std::string& title,
                                          const std::string& checkBox) {
    QMessageBox box(QMessageBox::NoIcon, ansiText(title), ansiText(text), QMessageBox::Ok, parent_);
    auto* tick = new QCheckBox(ansiText(checkBox), &box);
    tick->setObjectName("DontShowAgain");
    box.setCheckBox(tick);
    QPushButton* helpButton = help ? box.addButton("Help...", QMessageBox::HelpRole) : nullptr;
    // "Help..." shows the help and comes back to the message.
    for (;;) {
        show(box);
        if (!helpButton || box.clickedButton() != helpButton) break;
        help();
    }
    return tick->isChecked();
}

void QtUserInterface::beep() { QApplication::beep(); }

std::string QtUserInterface::inputBox(const std::string& prompt, const std::string& title, const std::string& initial) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(ansiText(title));
    dialog.setLabelText(ansiText(prompt));
    dialog.setTextValue(ansiText(initial));
    if (show(dialog) != QDialog::Accepted) return {};
    return platform::utf8ToAnsi(dialog.textValue().toStdString());
}

std::optional<std::string> QtUserInterface::fileDialog(bool save, const std::string& title, const std::string& filter,
                                                       const std::string& initial) {
    QFileDialog dialog(parent_, ansiText(title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    for (const std::string& f : qtNameFilters(filter)) filters << QString::fromStdString(platform::ansiToUtf8(f));
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!initial.empty()) dialog.selectFile(QFile::decodeName(initial.c_str()));
    if (show(dialog) != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen.first()).toStdString();
}

}  // namespace quillet
