#pragma once
// "PDF417 Advanced Options" (`PDFOptions`) as a dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the dialog with the current options; OK stores them (marking the
// settings changed when any differs), Cancel nothing.
void runPdfOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
