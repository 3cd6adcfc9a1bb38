#pragma once
// The builders Build/Copy dispatches to, by symbology.
#include <string>

#include "app/model/symbology.h"

namespace quillet {

struct AppState;

void BuildLinearSymbol(AppState& app, std::string& message, int barHeight, int narrowWidth);
void BuildFimPattern(AppState& app, int index);
// The module width and height come from the settings, not from the
// narrow bar width and height Build/Copy computes for the linear codes.
void BuildPdf417Symbol(AppState& app, const std::string& message);
void BuildAztecSymbol(AppState& app, const std::string& message);
void BuildDataMatrixSymbol(AppState& app);
void BuildQrSymbol(AppState& app);
void BuildDataBarSymbol(AppState& app, BuilderKind variant);  // one of the DataBar kinds
// DataBar Expanded, or Expanded Stacked in rows of the settings' segments.
void BuildDataBarExpandedSymbol(AppState& app, BuilderKind variant);

}  // namespace quillet
