#pragma once
// The execute string that reproduces the current settings and message:
// "[NEW]" followed by a command for every setting that differs from a
// fresh start, ready for a script or a --execute argument. The target
// printer's resolution and the check before printing's options are always
// written: the first is the printer's on another computer, the others
// outlive [NEW].
#include <string>
#include <vector>

namespace quillet {

struct AppState;

struct CommandEquivalent {
    std::string execute;  // UTF-8, as the command line takes it
    // Settings no command reaches (they stay as a fresh start has them).
    std::vector<std::string> left;
};

CommandEquivalent commandEquivalent(const AppState& app);

// A value for the decoding commands ([MESSAGE=, [INCPREAMBLE= ...): runs of
// plain ASCII quoted, every other byte as its decimal code.
std::string encodedValue(const std::string& bytes);

}  // namespace quillet
