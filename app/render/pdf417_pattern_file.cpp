// Loading the codeword pattern file beside the program.
#include "app/render/pdf417_pattern_file.h"

#include <fstream>
#include <iterator>

#include "app/model/app_state.h"
#include "app/pdf417/pdf417_patterns.h"
#include "platform/paths.h"

namespace quillet {
namespace {

const char* const kPromptTitle = "Quillet File I/O Error!";
const char* const kPrompt =
    "Cannot Find Quillet Initialization File: CLUSTER.DAT        Please Enter New Path.";

// Relative paths are taken from the program's folder; backslashes typed
// as in the default answer separate folders.
std::string resolve(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    if (!path.empty() && path[0] == '/') return path;
    return platform::programFolder() + "/" + path;
}

}  // namespace

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
