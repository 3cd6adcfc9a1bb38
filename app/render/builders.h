#pragma once
// The builders Build/Copy dispatches to, by symbology.
#include <string>

#include "app/model/symbology.h"

namespace quillet {

struct AppState;

void BuildLinearSymbol(AppState& app, std::string& message, int barHeight, int narrowWidth);
void BuildFimPattern(AppState& app, int index);
void BuildPdf417Symbol(AppState& app, const std::string& message, int barHeightCm, int narrowWidth);
void BuildAztecSymbol(AppState& app, const std::string& message);
void BuildDataMatrixSymbol(AppState& app);
void BuildQrSymbol(AppState& app);
void BuildDataBarSymbol(AppState& app, BuilderKind variant);  // one of the DataBar kinds

}  // namespace quillet
