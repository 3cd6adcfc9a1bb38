#include "app/window/datamatrix_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

#include "app/model/app_state.h"
#include "app/render/datamatrix_options_dialog.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QGroupBox* frame(QDialog& dialog, const char* name, const char* title) {
    auto* box = new QGroupBox(title, &dialog);
    box->setObjectName(name);
    new QVBoxLayout(box);
    return box;
}

QBoxLayout& frameLayout(QGroupBox* box) { return *static_cast<QBoxLayout*>(box->layout()); }

}  // namespace

void runDmOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    DmOptionsDialog model = openDmOptions(app.settings.dm);
    QDialog dialog(parent);
    dialog.setObjectName("DMOptions");
    dialog.setWindowTitle(kDmOptionsCaption);
    auto* column = new QVBoxLayout(&dialog);
    auto* frames = new QHBoxLayout;
    column->addLayout(frames);

    QGroupBox* eccFrame = frame(dialog, "Frame1", "ECC Mode:");
    QButtonGroup* ecc = optionButtons(eccFrame, frameLayout(eccFrame), "Option1",
                                      {std::begin(kDmEccCaptions), std::end(kDmEccCaptions)}, model.eccOption);
    QGroupBox* formatFrame = frame(dialog, "Frame2", "Data Format");
    QButtonGroup* format = optionButtons(formatFrame, frameLayout(formatFrame), "Option2",
                                         {std::begin(kDmFormatCaptions), std::end(kDmFormatCaptions)},
                                         model.formatOption);
    QGroupBox* shapeFrame = frame(dialog, "Frame3", "Shape/Size");
    QButtonGroup* shape = optionButtons(shapeFrame, frameLayout(shapeFrame), "Option3",
                                        {std::begin(kDmShapeCaptions), std::end(kDmShapeCaptions)},
                                        model.shapeOption);
    QComboBox* size = choiceList(shapeFrame, "Combo1", dmSizeList(), model.sizeIndex);
    frameLayout(shapeFrame).addWidget(size);
    frames->addWidget(eccFrame);
    frames->addWidget(formatFrame);
    frames->addWidget(shapeFrame);
    auto* tildes = new QCheckBox(kDmTranslateTildesCaption, &dialog);
    tildes->setObjectName("TranslateTildes");
    tildes->setChecked(model.translateTildes);
    column->addWidget(tildes);

    auto showFrames = [&] {
        formatFrame->setVisible(model.formatFrameVisible);
        shapeFrame->setVisible(model.shapeFrameVisible);
        tildes->setVisible(model.tildesVisible);
    };
    showFrames();
    QObject::connect(ecc, &QButtonGroup::idClicked, &dialog, [&](int id) {
        chooseDmEcc(model, id);
        showFrames();
    });
    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        chooseDmEcc(model, ecc->checkedId());
        model.formatOption = format->checkedId();
        model.shapeOption = shape->checkedId();
        model.sizeIndex = size->currentIndex();
        model.translateTildes = tildes->isChecked();
        acceptDmOptions(model, app.settings.dm);
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
