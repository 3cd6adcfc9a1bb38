#pragma once
// The check before printing as a command: the last built symbol verified
// at the target printer's resolution, the simulated grade reported in a
// message box and to whoever asked for reports.
#include <optional>

#include "app/render/print_verify.h"

namespace quillet {

struct AppState;

// Nothing when no symbol has been built.
std::optional<VerifyResult> CheckBeforePrinting(AppState& app);

}  // namespace quillet
