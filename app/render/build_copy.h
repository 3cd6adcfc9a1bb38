#pragma once
// Build/Copy: the one command that produces a symbol.
namespace quillet {

struct AppState;

// Converts the dimensions, checks them, and runs the builder of the current
// symbology; the builder reports its own errors.
void BuildCopy(AppState& app);

// Integer drawing-unit dimensions handed to the builders.
int narrowWidthUnits(float narrowWidth);  // rounded; 1000 or more -> 1000
int barHeightUnits(float barHeightCm);    // cm * 1000 rounded; 20 cm or more -> 20000

}  // namespace quillet
