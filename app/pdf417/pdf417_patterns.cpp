// Loading the codeword pattern file.
#include "app/pdf417/pdf417_patterns.h"

#include <fstream>
#include <iterator>

#include "app/model/app_state.h"
#include "platform/paths.h"

namespace quillet {
namespace {

const char* const kPromptTitle = "Quillet File I/O Error!";
const char* const kPrompt =
    "Cannot Find Quillet Initialization File: CLUSTER.DAT        Please Enter New Path.";

bool isPattern(int64_t v) {
    if (v < 11111111 || v > 99999999) return false;
    int sum = 0;
    for (int i = 0; i < 8; ++i, v /= 10) {
        int d = int(v % 10);
        if (d < 1 || d > 6) return false;
        sum += d;
    }
    return sum == 17;
}

// Relative paths are taken from the program's folder; backslashes typed
// as in the default answer separate folders.
std::string resolve(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    if (!path.empty() && path[0] == '/') return path;
    return platform::programFolder() + "/" + path;
}

}  // namespace

Pdf417PatternTable& pdf417PatternTable() {
    static Pdf417PatternTable table;
    return table;
}

bool ParsePdf417Patterns(std::string_view text, std::array<std::array<int32_t, 929>, 3>& patterns) {
    size_t i = 0, count = 0;
    auto isSeparator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (count < 3 * 929) {
        while (i < text.size() && isSeparator(text[i])) ++i;
        if (i >= text.size()) return false;
        int64_t v = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 10) v = v * 10 + (text[i++] - '0');
        if (i == start || (i < text.size() && !isSeparator(text[i])) || !isPattern(v)) return false;
        patterns[count / 929][count % 929] = int32_t(v);
        ++count;
    }
    return true;
}

bool ReadPdf417PatternFile(const std::string& path, std::array<std::array<int32_t, 929>, 3>& patterns) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParsePdf417Patterns(text, patterns);
}

bool LoadPdf417Tables(AppState& app) {
    Pdf417PatternTable& t = pdf417PatternTable();
    if (t.loaded) return true;
    t.loadFailed = false;
    for (;;) {
        if (ReadPdf417PatternFile(resolve(t.path), t.patterns)) {
            t.loaded = true;
            // The error correction coefficients are constant data: nothing to fill.
            return true;
        }
        std::string answer = app.ui ? app.ui->inputBox(kPrompt, kPromptTitle, "\\" + t.path) : std::string();
        if (answer.empty()) {
            t.loadFailed = true;
            t.path = "Cluster.Dat";
            return false;
        }
        t.path = answer;
    }
}

}  // namespace quillet
