#pragma once
// The two dimension warnings of Build/Copy. Each returns false when the
// user answers Cancel.
namespace quillet {

struct AppState;

bool CheckInvalidDimensions(AppState& app);
// X is the integer narrow width and H the integer bar height handed to the
// linear builders.
bool CheckPrinterResolution(AppState& app, int X, int H);

}  // namespace quillet
