#pragma once
// "Raster Image Properties" (`RasterProps`) as a dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the raster export options; OK stores them corrected, Cancel nothing.
void runRasterPropertiesDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
