#include "app/window/dialog_filter.h"

namespace quillet {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "Quillet Config (*.qcf)" -> "Quillet Config"
std::string withoutPatternList(const std::string& description) {
    const std::string d = trimmed(description);
    if (d.empty() || d.back() != ')') return d;
    const size_t open = d.rfind('(');
    if (open == std::string::npos) return d;
    return trimmed(d.substr(0, open));
}

std::string qtPatterns(const std::string& patterns) {
    std::string out;
    for (const std::string& p : split(patterns, ';')) {
        const std::string q = trimmed(p) == "*.*" ? "*" : trimmed(p);
        if (q.empty()) continue;
        out += (out.empty() ? "" : " ") + q;
    }
    return out;
}

}  // namespace

std::vector<std::string> qtNameFilters(const std::string& filter) {
    std::vector<std::string> filters;
    if (filter.empty()) return filters;
    const std::vector<std::string> parts = split(filter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        if (i + 1 >= parts.size()) {
            if (!trimmed(parts[i]).empty()) filters.push_back(trimmed(parts[i]));
            break;
        }
        const std::string patterns = qtPatterns(parts[i + 1]);
        const std::string name = withoutPatternList(parts[i]);
        if (patterns.empty()) filters.push_back(name);
        else filters.push_back(name.empty() ? "(" + patterns + ")" : name + " (" + patterns + ")");
    }
    return filters;
}

}  // namespace quillet
