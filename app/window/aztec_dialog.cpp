#include "app/window/aztec_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/model/app_state.h"
#include "app/render/aztec_host.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QLineEdit* numberBox(QWidget* parent, const char* name, const std::string& text, QtUserInterface& ui) {
    auto* box = new QLineEdit(QString::fromStdString(text), parent);
    box->setObjectName(name);
    filterTypedKeys(box, aztecOptionsKeyAccepted, [&ui] { ui.beep(); });
    return box;
}

}  // namespace

void runAztecOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    const AztecOptionsView view = openAztecOptions(app.settings);
    QDialog dialog(parent);
    dialog.setObjectName("frmAztecECP");
    dialog.setWindowTitle("Aztec Symbology Options");
    auto* column = new QVBoxLayout(&dialog);
    auto* menuSymbol = new QCheckBox("Create Aztec Menu Symbol ", &dialog);
    menuSymbol->setObjectName("Check1");
    menuSymbol->setChecked(view.menuSymbol);
    column->addWidget(menuSymbol);

    auto* frame = new QGroupBox("Error Correction Options:", &dialog);
    auto* options = new QVBoxLayout(frame);
    QButtonGroup* option = optionButtons(frame, *options, "Option1",
                                         {"Use Default Error Correction (approx 23% of symbol area)",
                                          "Specify Error Correction By Percent Symbol Area:",
                                          "Create 1-4 Layer Compact Symbol", "Create 1-32 Layer Full Range Symbol"},
                                         view.option);
    auto* percentRow = new QHBoxLayout;
    auto* percentLabel = new QLabel("Percent of Symbol Area:", frame);
    QLineEdit* percent = numberBox(frame, "Text1", view.text1, ui);
    percentRow->addWidget(percentLabel);
    percentRow->addWidget(percent);
    auto* layersRow = new QHBoxLayout;
    auto* layersLabel = new QLabel("Specify Total Number of Symbol Data Layers:", frame);
    QLineEdit* layers = numberBox(frame, "Text2", view.text2, ui);
    auto* layersUnit = new QLabel("Layers", frame);
    layersRow->addWidget(layersLabel);
    layersRow->addWidget(layers);
    layersRow->addWidget(layersUnit);
    options->addLayout(percentRow);
    options->addLayout(layersRow);
    column->addWidget(frame);

    // Each choice shows only its own input.
    auto showInputs = [=](int chosen) {
        for (QWidget* w : {static_cast<QWidget*>(percentLabel), static_cast<QWidget*>(percent)})
            w->setVisible(chosen == 1);
        for (QWidget* w : {static_cast<QWidget*>(layersLabel), static_cast<QWidget*>(layers),
                           static_cast<QWidget*>(layersUnit)})
            w->setVisible(chosen >= 2);
    };
    showInputs(view.option);
    QObject::connect(option, &QButtonGroup::idClicked, &dialog, showInputs);

    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        const int chosen = option->checkedId();
        const QLineEdit* box = chosen == 1 ? percent : layers;
        const std::string refusal =
            acceptAztecOptions(app.settings, chosen, box->text().toStdString(), menuSymbol->isChecked());
        if (!refusal.empty()) {
            ui.messageBox(refusal, app.appTitle, platform::Buttons::Ok);
            return;
        }
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
