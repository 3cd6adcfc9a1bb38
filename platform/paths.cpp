#include "platform/paths.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

std::string programFolder() {
    std::vector<char> buf(4096);
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return ".";
    std::string exe(buf.data(), size_t(n));
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

namespace {

std::string inFolder(std::string folder, const std::string& name) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

}  // namespace

std::string createScratchFile(const std::vector<ScratchPlace>& places) {
    for (const ScratchPlace& place : places) {
        std::string path = inFolder(place.folder, place.pattern);
        // mkstemps creates the file exclusively, mode 0600.
        const int fd = mkstemps(path.data(), 4);
        if (fd < 0) continue;
        close(fd);
        return path;
    }
    if (places.empty()) return {};
    // Nowhere to write: every build reports the failure, and no other
    // process shares this name.
    std::string path = inFolder(places.back().folder, places.back().pattern);
    const size_t x = path.find("XXXXXX");
    if (x != std::string::npos) path.replace(x, 6, std::to_string(getpid()));
    return path;
}

std::string chooseScratchMetafilePath() {
    const char* env = std::getenv("TMPDIR");
    return createScratchFile({{env && *env ? env : "/tmp", "QLTXXXXXX.WMF"},
                              {"/tmp", "QLTXXXXXX.WMF"},
                              {programFolder(), "~zelqtmpXXXXXX.wmf"}});
}

const std::string& scratchMetafilePath() {
    static const std::string path = chooseScratchMetafilePath();
    return path;
}

void* loadLibrary(const std::string& name) {
    if (name.empty()) return nullptr;
    if (name.find('/') == std::string::npos) {
        std::string beside = programFolder() + "/" + name;
        if (void* h = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
    }
    return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* librarySymbol(void* library, const char* name) {
    return library && name ? dlsym(library, name) : nullptr;
}

void freeLibrary(void* library) {
    if (library) dlclose(library);
}

}  // namespace platform
