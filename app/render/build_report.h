#pragma once
// The report of a build for scripts and clients: the effective dimensions
// as one line of text or as one JSON object on one line.
#include <string>

#include "app/render/effective_dimensions.h"

namespace quillet {

struct AppState;

enum class ReportFormat { Text, Json };

// A length in the user's unit: mils or thousandths of a centimetre for
// widths, inches or centimetres for heights, dots in printer-dot units.
struct UnitLength {
    double value = 0;
    const char* unit = "";
};
UnitLength widthInUnit(int unitMode, double units, int dpi);
UnitLength heightInUnit(int unitMode, double units, int dpi);

std::string formatReport(const SymbolSettings& s, const EffectiveDimensions& e, ReportFormat format);

// The report of the last built symbol; empty when none was built.
std::string buildReport(const AppState& app, ReportFormat format);

}  // namespace quillet
