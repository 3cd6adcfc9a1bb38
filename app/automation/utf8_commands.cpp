#include "app/automation/utf8_commands.h"

#include <string_view>

#include "app/automation/execute_string.h"
#include "app/model/app_state.h"
#include "app/model/utf8_text.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

bool setsMessage(const std::string& command) {
    const std::string key = upperAscii(std::string_view(command).substr(0, 9));
    return key == "[MESSAGE=" || key == "[BARCODE=" || key == "[MSGTEXT=";
}

}  // namespace

std::string commandFromUtf8(const AppState& app, const std::string& command, std::string& refusal) {
    refusal.clear();
    if (app.settings.utf8Text && setsMessage(command)) return command;
    const std::vector<char32_t> outside = platform::charactersOutsideAnsi(command);
    if (!outside.empty()) {
        refusal = outsideCodePageText(outside);
        return {};
    }
    return platform::utf8ToAnsi(command);
}

}  // namespace quillet
