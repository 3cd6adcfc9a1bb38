#include "app/window/printer_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/model/app_state.h"
#include "app/render/print_device.h"
#include "app/render/printer_dialogs.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QComboBox* dpiList(QWidget* parent, const char* name, const std::string& current) {
    QComboBox* list = choiceList(parent, name, targetPrinterDpiItems(), -1);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setEditText(QString::fromStdString(current));
    return list;
}

QLineEdit* marginBox(QWidget* parent, const char* name, const std::string& inches) {
    auto* box = new QLineEdit(QString::fromStdString(inches), parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

void runTargetPrinterDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const TargetPrinterFields opened = targetPrinterFields(app);
    QDialog dialog(parent);
    dialog.setObjectName("WarnForm");
    dialog.setWindowTitle("Target Printer Options");
    auto* column = new QVBoxLayout(&dialog);
    auto* warnings = new QCheckBox("Enable Print Resolution Warnings", &dialog);
    warnings->setObjectName("PrintWarningCheckBox");
    warnings->setChecked(opened.warnings);
    column->addWidget(warnings);

    auto* frame = new QGroupBox("Target Printer:", &dialog);
    auto* form = new QFormLayout(frame);
    auto* select = new QPushButton("Select Printer...", frame);
    select->setObjectName("Command3");
    QComboBox* hdpi = dpiList(frame, "HDPI", opened.hdpi);
    QComboBox* vdpi = dpiList(frame, "VDPI", opened.vdpi);
    form->addRow(select);
    form->addRow("Horizontal Dots Per Inch:", hdpi);
    form->addRow("Vertical Dots Per Inch:", vdpi);
    column->addWidget(frame);
    QObject::connect(select, &QPushButton::clicked, &dialog, [&] {
        if (!runPrintSetupDialog(ui, &dialog)) return;
        TargetPrinterFields chosen;
        if (!selectTargetPrinter(chosen)) return;
        hdpi->setEditText(QString::fromStdString(chosen.hdpi));
        vdpi->setEditText(QString::fromStdString(chosen.vdpi));
    });

    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        applyTargetPrinterDialog(app, {warnings->isChecked(), hdpi->currentText().toStdString(),
                                       vdpi->currentText().toStdString()});
        dialog.accept();
    });
    ui.show(dialog);
}

bool runPrintSetupDialog(QtUserInterface& ui, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("PrintSetup");
    dialog.setWindowTitle("Print Setup");
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new QLabel("Printer:", &dialog));
    auto* printers = new QListWidget(&dialog);
    printers->setObjectName("Printers");
    for (const std::string& name : printerNames()) printers->addItem(QString::fromStdString(name));
    if (printers->count() > 0) printers->setCurrentRow(0);
    column->addWidget(printers);
    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        if (!printers->currentItem()) return;
        makeDefaultPrinter(printers->currentItem()->text().toStdString());
        dialog.accept();
    });
    return ui.show(dialog) == QDialog::Accepted;
}

void runPrinterSetup(QtUserInterface& ui, QWidget* parent, AppState& app) {
    if (runPrintSetupDialog(ui, parent)) adoptDefaultPrinter(app);
}

void runPrintMarginsDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const PrintMarginFields opened = printMarginFields(app);
    QDialog dialog(parent);
    dialog.setObjectName("Form3");
    dialog.setWindowTitle("Print Margins");
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new QLabel("Specify Print Margins in Inches:", &dialog));
    auto* form = new QFormLayout;
    QLineEdit* left = marginBox(&dialog, "Text1", opened.left);
    QLineEdit* top = marginBox(&dialog, "Text3", opened.top);
    form->addRow("Left:", left);
    form->addRow("Top:", top);
    column->addLayout(form);
    const DialogButtons buttons = addDialogButtons(dialog, *column, "Print", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        printWithMargins(app, {left->text().toStdString(), top->text().toStdString()});
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
