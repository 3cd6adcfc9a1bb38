#pragma once
// Change notification for front ends.
namespace quillet {

struct AppState;

// Compares the settings, the window model and the last built symbol with
// what was last seen: when anything differs, counts a revision, remembers
// the new state and calls the watch's listener. Every front end runs it
// after each command it carries out (the command language after each
// execute string), so a window redraws after a change from any source and
// not otherwise. Returns whether anything changed.
bool noteStateChanges(AppState& app);

}  // namespace quillet
