#pragma once
// "QR Code Advanced Options" (`QROptions`) as a dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the three lists with the current options; OK stores them, Cancel
// nothing.
void runQrOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
