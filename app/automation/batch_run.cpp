#include "app/automation/batch_run.h"

#include "app/automation/message_file.h"
#include "app/automation/numbering.h"
#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/render/build_copy.h"
#include "app/render/print_verify.h"
#include "app/render/save_symbol.h"

namespace quillet {

namespace {

void buildAndSave(AppState& app, long number, const std::string& pattern, BatchResult& result) {
    buildAndSaveLabel(app, number, batchOutputName(pattern, number).value_or(pattern), result);
}

}  // namespace

void buildAndSaveLabel(AppState& app, long number, const std::string& name, BatchResult& result) {
    if (app.clipboard) app.clipboard->empty();
    app.settings.symbolBuilt = false;
    BuildCopy(app);
    if (!app.settings.symbolBuilt) {
        result.failures.push_back({number, "the symbol could not be built"});
        return;
    }
    if (app.verify.everyLabel && app.output.lastSymbol) {
        const VerifyResult v = verifySymbol(app.settings, *app.output.lastSymbol, app.verify);
        if (app.onVerified) app.onVerified(verifyReportText(v), verifyReportJson(v));
        if (!v.accepted) {
            result.failures.push_back({number, std::string(v.dataMatches ? "" : "it does not decode to its data; ") +
                                                   "simulated grade " + gradeLetter(v.grade) + ", below " +
                                                   gradeLetter(app.verify.minimumGrade)});
            return;
        }
    }
    if (!SaveSymbolImage(app, name)) {
        result.failures.push_back({number, "the symbol could not be saved as \"" + name + "\""});
        return;
    }
    ++result.built;
    result.lastBuilt = number;
}

std::optional<std::string> batchOutputName(const std::string& pattern, long number) {
    const size_t last = pattern.rfind('#');
    if (last == std::string::npos) return std::nullopt;
    size_t first = last;
    while (first > 0 && pattern[first - 1] == '#') --first;
    std::string digits = std::to_string(number);
    const size_t run = last - first + 1;
    if (digits.size() < run) digits.insert(0, run - digits.size(), '0');
    return pattern.substr(0, first) + digits + pattern.substr(last + 1);
}

BatchResult runBatchLines(AppState& app, const TextLines& lines, const std::string& pattern,
                          const LabelRange& range) {
    BatchResult result;
    size_t next = 0;
    for (size_t i = 0; i < lines.count && long(i) < range.last; ++i) {
        const LineMessage m = messageFromLine(std::string(nextTextLine(lines, next)), app.settings.symbology);
        setMessage(app, m.message);
        if (m.supplement) setSupplement(app, *m.supplement);
        if (range.has(long(i + 1))) buildAndSave(app, long(i + 1), pattern, result);
    }
    return result;
}

BatchResult runBatchCount(AppState& app, long count, const std::string& pattern, const LabelRange& range) {
    BatchResult result;
    for (long i = 1; i <= count && i <= range.last; ++i) {
        const bool stepped = StepMessage(app, i == 1 ? 0 : 1);
        if (!range.has(i)) continue;
        if (!stepped) {
            result.failures.push_back({i, "there is no further message"});
            continue;
        }
        buildAndSave(app, i, pattern, result);
    }
    return result;
}

}  // namespace quillet
