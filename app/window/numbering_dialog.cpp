#include "app/window/numbering_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/automation/numbering.h"
#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/settings.h"
#include "app/window/dialog_widgets.h"
#include "app/window/field_text.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QString numberText(double n) { return QString::fromStdString(formatNumber(n, "0.##########")); }

QLineEdit* textBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    return box;
}

// Preamble and postamble are edited in display form like the message:
// what the box keeps of its old text keeps its stored bytes.
QLineEdit* displayFormBox(QWidget* parent, const char* name, std::string& stored, int characterSet) {
    QLineEdit* box = textBox(parent, name, QString::fromStdU32String(shownText(stored, characterSet)));
    QObject::connect(box, &QLineEdit::textEdited, box, [box, &stored, characterSet](const QString& text) {
        const FieldEdit e = applyFieldEdit(stored, stored, text.toStdU32String(), characterSet);
        stored = e.stored;
        box->setText(QString::fromStdU32String(shownText(stored, characterSet)));
        box->setCursorPosition(int(e.cursor));
    });
    return box;
}

}  // namespace

void runNumberingDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const NumberingOptions& n = app.settings.numbering;
    const int characterSet = app.settings.characterSet;
    std::string preamble = n.incPreamble, postamble = n.incPostamble;
    QDialog dialog(parent);
    dialog.setObjectName("IncDialog");
    dialog.setWindowTitle("Incremental Numbering");
    auto* column = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    QLineEdit* start = textBox(&dialog, "StartNumber", numberText(n.incStart));
    QLineEdit* increment = textBox(&dialog, "IncValue", numberText(n.incValue));
    QLineEdit* digits = textBox(&dialog, "NumDigits", n.incWidth == 0 ? QString() : numberText(n.incWidth));
    QLineEdit* pre = displayFormBox(&dialog, "Preamble", preamble, characterSet);
    QLineEdit* post = displayFormBox(&dialog, "Postamble", postamble, characterSet);
    form->addRow("Starting Number:", start);
    form->addRow("Increment Value:", increment);
    form->addRow("Number of Digits:", digits);
    form->addRow("Preamble:", pre);
    form->addRow("Postamble:", post);
    // The message field's character-insert list, for the box last in focus
    // or whose cursor last moved.
    QLineEdit* insertInto = pre;
    QObject::connect(qApp, &QApplication::focusChanged, &dialog, [&](QWidget*, QWidget* now) {
        if (now == pre || now == post) insertInto = static_cast<QLineEdit*>(now);
    });
    for (QLineEdit* box : {pre, post})
        QObject::connect(box, &QLineEdit::cursorPositionChanged, &dialog, [&insertInto, box] { insertInto = box; });
    if (!app.window.insertList.empty()) {
        auto* insert = new QComboBox(&dialog);
        insert->setObjectName("InsertList");
        for (const InsertEntry& e : app.window.insertList)
            insert->addItem(QString("%1  %2").arg(e.code, 3).arg(QString::fromStdString(e.name)), e.code);
        form->addRow("Insert Character:", insert);
        QObject::connect(insert, &QComboBox::activated, &dialog, [&, insert](int index) {
            std::string& stored = insertInto == pre ? preamble : postamble;
            const size_t at = std::min(size_t(std::max(insertInto->cursorPosition(), 0)), stored.size());
            stored.insert(at, 1, char(insert->itemData(index).toInt()));
            insertInto->setText(QString::fromStdU32String(shownText(stored, characterSet)));
            insertInto->setCursorPosition(int(at + 1));
        });
    }
    column->addLayout(form);

    auto* targetFrame = new QGroupBox("Increment Message", &dialog);
    auto* targets = new QVBoxLayout(targetFrame);
    QButtonGroup* target = optionButtons(targetFrame, *targets, "IncTarget",
                                         {"Bar Code Message", "UPC/EAN Supplemental"},
                                         n.incTarget == IncTargetSupplement ? 1 : 0);
    column->addWidget(targetFrame);
    auto* enabled = new QCheckBox("Enable Incremental Numbering", &dialog);
    enabled->setObjectName("IncEnable");
    enabled->setChecked(n.incEnabled);
    column->addWidget(enabled);

    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        NumberingDialogValues v;
        v.start = numericFieldValue(start->text().toStdString());
        v.increment = numericFieldValue(increment->text().toStdString());
        v.digits = numericFieldValue(digits->text().toStdString());
        v.preamble = preamble;
        v.postamble = postamble;
        v.target = target->checkedId() == 1 ? IncTargetSupplement : IncTargetMessage;
        v.enabled = enabled->isChecked();
        // A warning has been shown; the dialog stays open.
        if (applyNumberingDialog(app, v)) return;
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
