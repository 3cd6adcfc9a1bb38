#pragma once
// The PDF417 pattern file "Cluster.Dat", read once per run from the
// program's folder into the table of this run.
#include <array>
#include <cstdint>
#include <string>

namespace quillet {

struct AppState;

bool ReadPdf417PatternFile(const std::string& path, std::array<std::array<int32_t, 929>, 3>& patterns);

// Loads the table unless it is loaded already. While the file cannot be
// read the user is asked for another path; an empty answer sets the
// load-failure flag, resets the path and gives up. Returns loaded.
bool LoadPdf417Tables(AppState& app);

}  // namespace quillet
