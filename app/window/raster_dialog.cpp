#include "app/window/raster_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/model/app_state.h"
#include "app/render/raster_properties.h"
#include "app/window/dialog_widgets.h"
#include "app/window/qt_user_interface.h"

namespace quillet {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, bool ticked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(ticked);
    return box;
}

}  // namespace

void runRasterPropertiesDialog(QtUserInterface& ui, QWidget* parent, AppState& app) {
    RasterDialogFields f = rasterDialogFields(app.settings.raster);
    QDialog dialog(parent);
    dialog.setObjectName("RasterProps");
    dialog.setWindowTitle("Raster Image Properties");
    auto* column = new QVBoxLayout(&dialog);
    auto digitsOnly = [&](QLineEdit* box) { filterTypedKeys(box, rasterDialogAcceptsKey, [&ui] { ui.beep(); }); };

    auto* depth = new QGroupBox("Image Resolution and Color Depth:", &dialog);
    auto* depthForm = new QFormLayout(depth);
    QComboBox* bits = choiceList(depth, "cboBPP", {"1", "8", "24"}, f.bitsPerPixelItem);
    auto* dpi = new QLineEdit(QString::fromStdString(f.dpiText), depth);
    dpi->setObjectName("txtDPI");
    digitsOnly(dpi);
    depthForm->addRow("Bits Per Pixel:", bits);
    depthForm->addRow("Pixels Per Inch:", dpi);
    column->addWidget(depth);

    auto* png = new QGroupBox("PNG and JPEG Options:", &dialog);
    auto* pngForm = new QFormLayout(png);
    QCheckBox* interlace = checkBox(png, "chkPNGInterlace", "Enable PNG Interlacing", f.pngInterlace);
    QComboBox* filter = choiceList(
        png, "cboPNGFilter",
        {"All Filters (Best)", "No Filter", "Sub Filter", "Up Filter", "Average Filter", "Paeth Filter"},
        f.pngFilterItem);
    auto* quality = new QLineEdit(QString::fromStdString(f.jpegQualityText), png);
    quality->setObjectName("txtJPEGQuality");
    digitsOnly(quality);
    pngForm->addRow(interlace);
    pngForm->addRow("PNG Filter:", filter);
    pngForm->addRow("JPEG Quality:", quality);
    column->addWidget(png);

    auto* compression = new QGroupBox("Image Compression Options:", &dialog);
    auto* compressionForm = new QFormLayout(compression);
    QCheckBox* tga = checkBox(compression, "chkTGACompress", "TGA Compression (RLE)", f.tgaCompress);
    QCheckBox* bmp = checkBox(compression, "chkBMPCompress", "BMP Compression (RLE)", f.bmpCompress);
    QCheckBox* gif = checkBox(compression, "chkGIFCompress", "GIF Compression (LZW)", f.gifCompress);
    QComboBox* tiff =
        choiceList(compression, "cboTIFFCompression", {"None", "LZW", "PackBits", "Group3", "Group4"}, f.tiffItem);
    compressionForm->addRow(tga);
    compressionForm->addRow(bmp);
    compressionForm->addRow(gif);
    compressionForm->addRow("TIFF Compression:", tiff);
    column->addWidget(compression);

    const DialogButtons buttons = addDialogButtons(dialog, *column, "OK", "Cancel");
    QObject::connect(buttons.accept, &QPushButton::clicked, &dialog, [&] {
        f.bitsPerPixelItem = bits->currentIndex();
        f.dpiText = dpi->text().toStdString();
        f.pngInterlace = interlace->isChecked();
        f.pngFilterItem = filter->currentIndex();
        f.jpegQualityText = quality->text().toStdString();
        f.tgaCompress = tga->isChecked();
        f.bmpCompress = bmp->isChecked();
        f.gifCompress = gif->isChecked();
        f.tiffItem = tiff->currentIndex();
        applyRasterDialog(app.settings.raster, f);
        dialog.accept();
    });
    ui.show(dialog);
}

}  // namespace quillet
