#pragma once
// "Data Matrix Symbology Options" (`DMOptions`) as a dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the ECC, data format and shape/size choices with the current
// options; choosing ECC 200 swaps the frames; OK stores, Cancel nothing.
void runDmOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
