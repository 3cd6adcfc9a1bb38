#include "app/window/pdf417_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/model/app_state.h"
#include "app/pdf417/pdf417_options_dialog.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

void runPdfOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    PdfOptionsDialog model = OpenPdfOptionsDialog(app.settings.pdf);
    QDialog dialog(parent);
    dialog.setObjectName("PDFOptions");
    dialog.setWindowTitle("PDF417 Advanced Options");
    auto* column = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    QComboBox* compression = choiceList(&dialog, "CompressionCombo", model.compressionItems, model.compression);
    QComboBox* level = choiceList(&dialog, "SLevelCombo", model.levelItems, model.level);
    QComboBox* overhead = choiceList(&dialog, "PctOverheadCombo", model.overheadItems, model.overhead);
    QComboBox* maxRows = choiceList(&dialog, "MaxRows", model.maxRowsItems, model.maxRows);
    QComboBox* maxColumns = choiceList(&dialog, "MaxCols", model.maxColumnsItems, model.maxColumns);
    auto* overheadLabel = new QLabel("Error Correction Overhead:", &dialog);
    form->addRow("Compaction Mode:", compression);
    form->addRow("Security Level:", level);
    form->addRow(overheadLabel, overhead);
    form->addRow("Maximum Rows:", maxRows);
    form->addRow("Maximum Data Columns:", maxColumns);
    column->addLayout(form);
    auto* codewords = new QCheckBox("Show Generated Codewords", &dialog);
    codewords->setObjectName("CodeWordsCheckBox");
    codewords->setChecked(model.showCodewords);
    auto* truncated = new QCheckBox("Truncated PDF417", &dialog);
    truncated->setObjectName("TruncPDF");
    truncated->setChecked(model.truncated);
    column->addWidget(codewords);
    column->addWidget(truncated);

    auto showOverhead = [&] {
        overhead->setVisible(model.overheadVisible);
        overheadLabel->setVisible(model.overheadVisible);
    };
    showOverhead();
    QObject::connect(level, &QComboBox::currentIndexChanged, &dialog, [&](int index) {
        ChoosePdfSecurityLevel(model, index);
        showOverhead();
    });
    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        ChoosePdfSecurityLevel(model, level->currentIndex());
        model.compression = compression->currentIndex();
        model.overhead = overhead->currentIndex();
        model.maxRows = maxRows->currentIndex();
        model.maxColumns = maxColumns->currentIndex();
        model.showCodewords = codewords->isChecked();
        model.truncated = truncated->isChecked();
        AcceptPdfOptionsDialog(model, app.settings);
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
