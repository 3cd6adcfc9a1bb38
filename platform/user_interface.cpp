#include "platform/user_interface.h"

#include <cstdio>

namespace platform {

std::string messageLine(const std::string& title, const std::string& text) {
    std::string line = title.empty() ? std::string() : title + ": ";
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            // CRLF is one line end
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

Answer HeadlessUserInterface::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                                         Icon icon) {
    messages.push_back({title, text, icon});
    if (echo) std::fprintf(stderr, "%s\n", messageLine(title, text).c_str());
    if (answer) return answer(text, buttons);
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

}  // namespace platform
