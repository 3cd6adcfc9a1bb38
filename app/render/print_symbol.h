#pragma once
// The target printer and printing the symbol.
namespace quillet {

struct AppState;

// The default printer's resolution in dots per inch; false when there is
// no printer or it reports none.
bool targetPrinterResolution(int& dpiX, int& dpiY);

// Prints the last built symbol at its physical size at the print margins;
// ejectPage ends the page and the document. False when nothing could be
// printed.
bool PrintSymbol(AppState& app, bool ejectPage);
// Ends the current printer page and document.
bool EjectPage(AppState& app);

}  // namespace quillet
