#include "app/automation/execute_string.h"

#include <algorithm>

namespace quillet {

namespace {

std::string_view trimmedView(std::string_view text) {
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace

std::string trimSpaces(std::string_view text) { return std::string(trimmedView(text)); }

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

// Walks the string once: each command is cut from a view, so the time
// grows with the length of the string, not with its square.
std::vector<std::string> splitExecuteString(std::string_view execute) {
    std::vector<std::string> commands;
    std::string_view rest = trimmedView(execute);
    for (;;) {
        rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
        const size_t close = rest.find(']');
        if (close == std::string_view::npos) break;
        commands.emplace_back(rest.substr(0, close + 1));
        rest.remove_prefix(close + 1);
    }
    return commands;
}

}  // namespace quillet
