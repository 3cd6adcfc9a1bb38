// INTERIM: printing is not part of this version yet. These stand-ins refuse
// every print so that callers report failure; the printing code replaces
// this file.
#include "app/render/print_symbol.h"

namespace quillet {

bool targetPrinterResolution(int&, int&) { return false; }
bool PrintSymbol(AppState&, bool) { return false; }
bool EjectPage(AppState&) { return false; }

}  // namespace quillet
