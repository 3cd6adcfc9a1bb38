#include "app/window/qr_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

#include "app/model/app_state.h"
#include "app/render/qr_options_dialog.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

void runQrOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    QrOptionsDialog model = openQrOptions(app.settings.qr);
    QDialog dialog(parent);
    dialog.setObjectName("QROptions");
    dialog.setWindowTitle(kQrOptionsCaption);
    auto* column = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    QComboBox* modelList = choiceList(&dialog, "cboModel", {std::begin(kQrModelList), std::end(kQrModelList)},
                                      model.modelIndex);
    QComboBox* level = choiceList(&dialog, "cboECCLevel", {std::begin(kQrLevelList), std::end(kQrLevelList)},
                                  model.levelIndex);
    QComboBox* quietZone = choiceList(&dialog, "cboQRQZSize", qrQuietZoneList(), model.quietZoneIndex);
    form->addRow(kQrModelLabel, modelList);
    form->addRow(kQrLevelLabel, level);
    form->addRow(kQrQuietZoneLabel, quietZone);
    column->addLayout(form);
    const DialogButtons buttons = addDialogButtons(dialog, *column, "&OK", "&Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        model.modelIndex = modelList->currentIndex();
        model.levelIndex = level->currentIndex();
        model.quietZoneIndex = quietZone->currentIndex();
        acceptQrOptions(model, app.settings.qr);
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
