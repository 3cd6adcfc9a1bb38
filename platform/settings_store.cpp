// A small INI file: "[section]" lines and "key=value" lines. Section and
// key names compare without regard to case, as the Windows store does.
#include "platform/settings_store.h"

#include "platform/file_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <strings.h>
#include <vector>

namespace platform {
namespace {

std::string configBase() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config";
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool isSection(const std::string& line, std::string& name) {
    std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = trim(t.substr(1, t.size() - 2));
    return true;
}

bool isKey(const std::string& line, const std::string& key, std::string* value) {
    size_t eq = line.find('=');
    if (eq == std::string::npos || !same(trim(line.substr(0, eq)), key)) return false;
    if (value) *value = line.substr(eq + 1);
    return true;
}

bool makeFolders(const std::string& dir) {
    for (size_t i = 1; i <= dir.size(); ++i) {
        if (i < dir.size() && dir[i] != '/') continue;
        std::string part = dir.substr(0, i);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

std::string oneLine(const std::string& s) {
    std::string out;
    for (char c : s) out += (c == '\n' || c == '\r') ? ' ' : c;
    return out;
}

}  // namespace

std::string settingsFilePath() { return configBase() + "/Quillet/settings.ini"; }

std::string getSetting(const std::string& section, const std::string& key, const std::string& fallback) {
    std::string current, value;
    bool inSection = false;
    for (const std::string& line : readFileLines(settingsFilePath())) {
        if (isSection(line, current)) inSection = same(current, section);
        else if (inSection && isKey(line, key, &value)) return value;
    }
    return fallback;
}

bool putSetting(const std::string& section, const std::string& key, const std::string& value) {
    const std::string path = settingsFilePath();
    const std::string k = oneLine(trim(key)), v = oneLine(value), sec = oneLine(trim(section));
    if (k.empty() || k.find('=') != std::string::npos) return false;
    std::vector<std::string> lines = readFileLines(path);
    std::string current;
    bool inSection = false, done = false;
    size_t sectionEnd = std::string::npos;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        if (isSection(lines[i], current)) {
            if (inSection) break;
            inSection = same(current, sec);
            if (inSection) sectionEnd = i + 1;
        } else if (inSection) {
            if (isKey(lines[i], k, nullptr)) {
                // The stored spelling of the key stays.
                lines[i] = trim(lines[i].substr(0, lines[i].find('='))) + "=" + v;
                done = true;
            } else if (!trim(lines[i]).empty()) {
                sectionEnd = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionEnd == std::string::npos) {
            if (!lines.empty() && !trim(lines.back()).empty()) lines.push_back("");
            lines.push_back("[" + sec + "]");
            lines.push_back(k + "=" + v);
        } else {
            lines.insert(lines.begin() + ptrdiff_t(sectionEnd), k + "=" + v);
        }
    }
    if (!makeFolders(path.substr(0, path.rfind('/')))) return false;
    // Write a sibling file and rename it, so a failed write keeps the old store.
    std::string tmp = path + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& line : lines) ok = ok && std::fprintf(f, "%s\n", line.c_str()) >= 0;
    if (std::fclose(f) != 0 || !ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
