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

std::string chooseScratchMetafilePath() {
    const char* env = std::getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    std::string name = dir + "/QLTXXXXXX.tmp";
    int fd = mkstemps(name.data(), 4);
    if (fd < 0) {
        std::string folder = programFolder();
        return folder + (folder.back() == '/' ? "" : "/") + "~zelqtmp.wmf";
    }
    close(fd);
    unlink(name.c_str());
    return name.substr(0, name.size() - 3) + "WMF";
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
