#pragma once
// The builders Build/Copy dispatches to, by symbology.
#include <string>

namespace quillet {

struct AppState;

void BuildLinearSymbol(AppState& app, std::string& message, int barHeight, int narrowWidth);
void BuildFimPattern(AppState& app, int index);
void BuildPdf417Symbol(AppState& app, const std::string& message, int barHeightCm, int narrowWidth);
void BuildAztecSymbol(AppState& app, const std::string& message);
void BuildDataMatrixSymbol(AppState& app);
void BuildQrSymbol(AppState& app);
void BuildDataBarSymbol(AppState& app, int variant);  // 20..23

}  // namespace quillet
