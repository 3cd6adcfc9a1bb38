#pragma once
// The printing dialogs on the desktop: "Target Printer Options"
// (`WarnForm`), the print setup dialog and "Print Margins" (`Form3`).
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// OK stores the warnings flag and the resolutions; "Select Printer..."
// fills the boxes from the printer chosen in the print setup dialog.
void runTargetPrinterDialog(QtUserInterface& ui, QWidget* parent, AppState& app);
// Lists the printers; OK makes the chosen one the default and returns
// true, Cancel (or no printer) changes nothing.
bool runPrintSetupDialog(QtUserInterface& ui, QWidget* parent);
// "Printer Setup...": after a choice the target resolution becomes the new
// default printer's.
void runPrinterSetup(QtUserInterface& ui, QWidget* parent, AppState& app);
// "Print" stores the margins and prints the last built symbol.
void runPrintMarginsDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
