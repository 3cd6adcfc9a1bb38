#pragma once
// Where the program lives, its scratch metafile, and loading its libraries.
#include <string>
#include <vector>

namespace platform {

// The folder holding the running program (no trailing slash).
std::string programFolder();

// Chooses a scratch metafile path and creates the file, private to its
// owner (0600) and to this process: a fresh name "QLT??????.WMF" in the
// temporary folder ($TMPDIR, else /tmp, and /tmp when $TMPDIR takes no
// file); when neither does, a fresh "~zelqtmp??????.wmf" in the program's
// folder.
std::string chooseScratchMetafilePath();
// Where a scratch file may go: a folder and a name pattern with six X's
// before a four-character extension.
struct ScratchPlace {
    std::string folder, pattern;
};
// Creates the file at the first place that takes one and returns its path;
// when none does, the last place's name with the process id for the X's.
std::string createScratchFile(const std::vector<ScratchPlace>& places);

// The path chosen once for this run.
const std::string& scratchMetafilePath();

// Loads a shared library by name: first from the program's folder, then
// through the library search path. Returns nullptr when neither works.
void* loadLibrary(const std::string& name);
void* librarySymbol(void* library, const char* name);
void freeLibrary(void* library);

}  // namespace platform
