#include "app/window/field_text.h"

#include <algorithm>

#include "app/model/field_input.h"
#include "app/model/settings.h"
#include "platform/codepage.h"

namespace quillet {

std::u32string shownText(const std::string& stored, int characterSet) {
    std::u32string text;
    text.reserve(stored.size());
    for (char c : stored) {
        const auto b = static_cast<uint8_t>(c);
        text.push_back(characterSet == CharsetAscii ? platform::oemToUnicode(b) : platform::ansiToUnicode(b));
    }
    return text;
}

FieldEdit applyFieldEdit(const std::string& stored, const std::string& shownBytes, const std::u32string& edited,
                         int characterSet) {
    const std::u32string before = shownText(shownBytes, characterSet);
    const size_t shorter = std::min(before.size(), edited.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == edited[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;

    FieldEdit edit;
    std::string inserted;
    for (size_t i = prefix; i < edited.size() - suffix; ++i) {
        uint8_t ansi = 0;
        char storedChar = 0;
        if (!platform::unicodeToAnsi(edited[i], ansi)) {
            if (std::find(edit.outside.begin(), edit.outside.end(), edited[i]) == edit.outside.end())
                edit.outside.push_back(edited[i]);
        } else if (typedMessageCharacter(characterSet, static_cast<char>(ansi), storedChar)) {
            inserted.push_back(storedChar);
        }
    }
    const size_t kept = std::min(prefix, stored.size());
    const size_t tail = std::min(suffix, stored.size() - kept);
    if (!edit.outside.empty()) {
        edit.stored = stored;
        edit.cursor = kept;
        return edit;
    }
    edit.stored = stored.substr(0, kept) + inserted + stored.substr(stored.size() - tail);
    edit.cursor = kept + inserted.size();
    return edit;
}

}  // namespace quillet
