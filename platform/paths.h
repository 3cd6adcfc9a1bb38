#pragma once
// Where the program lives, its scratch metafile, and loading its libraries.
#include <string>

namespace platform {

// The folder holding the running program (no trailing slash).
std::string programFolder();

// Chooses a scratch metafile path: a fresh temporary file name with the
// prefix "QLT" in the temporary folder ($TMPDIR, else /tmp), the file
// itself deleted and its extension replaced by "WMF"; when no temporary
// name can be had, "~zelqtmp.wmf" in the program's folder.
std::string chooseScratchMetafilePath();
// The path chosen once for this run.
const std::string& scratchMetafilePath();

// Loads a shared library by name: first from the program's folder, then
// through the library search path. Returns nullptr when neither works.
void* loadLibrary(const std::string& name);
void* librarySymbol(void* library, const char* name);
void freeLibrary(void* library);

}  // namespace platform
