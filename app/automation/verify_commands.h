#pragma once
// The commands of the check before printing: `[VERIFY]` refuses when the
// last built symbol grades below the least acceptable grade, so that an
// automated print run stops; `[PRINTGROWTH=` n sets the simulated print
// growth in dots (-10 to 10) and `[VERIFYMIN=` the least acceptable grade
// (A, B, C, D or F).
#include <string>

namespace quillet {

struct AppState;

bool verifyCommand(AppState& app, int);
bool printGrowthCommand(AppState& app, const std::string& value, int);
bool verifyMinimumCommand(AppState& app, const std::string& value, int);

}  // namespace quillet
