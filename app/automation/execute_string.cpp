#include "app/automation/execute_string.h"

namespace quillet {

std::string trimSpaces(std::string_view text) {
    size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    size_t e = text.find_last_not_of(' ');
    return std::string(text.substr(b, e - b + 1));
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

std::vector<std::string> splitExecuteString(std::string_view execute) {
    std::vector<std::string> commands;
    std::string rest = trimSpaces(execute);
    while (!rest.empty()) {
        size_t close = rest.find(']');
        if (close == std::string::npos) break;
        commands.push_back(rest.substr(0, close + 1));
        rest = trimSpaces(std::string_view(rest).substr(close + 1));
    }
    return commands;
}

}  // namespace quillet
