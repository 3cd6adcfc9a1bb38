#include "app/window/field_text.h"

#include <algorithm>

#include "app/model/field_input.h"
#include "app/model/settings.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

struct ShownCharacter {
    char32_t c;
    size_t bytes;  // how many stored bytes it stands for
};

// One well-formed UTF-8 sequence at `at`, or 0 bytes.
size_t utf8Sequence(const std::string& s, size_t at, char32_t& c) {
    const auto b = static_cast<uint8_t>(s[at]);
    const size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || at + n > s.size()) return 0;
    c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t i = 1; i < n; ++i) {
        const auto k = static_cast<uint8_t>(s[at + i]);
        if ((k & 0xC0) != 0x80) return 0;
        c = c << 6 | (k & 0x3F);
    }
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

std::vector<ShownCharacter> shownCharacters(const std::string& stored, int characterSet, bool utf8) {
    std::vector<ShownCharacter> shown;
    shown.reserve(stored.size());
    for (size_t i = 0; i < stored.size();) {
        char32_t c = 0;
        const size_t n = utf8 ? utf8Sequence(stored, i, c) : 0;
        if (n > 0) {
            shown.push_back({c, n});
            i += n;
            continue;
        }
        const auto b = static_cast<uint8_t>(stored[i++]);
        shown.push_back(
            {characterSet == CharsetAscii && !utf8 ? platform::oemToUnicode(b) : platform::ansiToUnicode(b), 1});
    }
    return shown;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::u32string shownText(const std::string& stored, int characterSet, bool utf8) {
    std::u32string text;
    for (const ShownCharacter& s : shownCharacters(stored, characterSet, utf8)) text.push_back(s.c);
    return text;
}

FieldEdit applyFieldEdit(const std::string& stored, const std::string& shownBytes, const std::u32string& edited,
                         int characterSet, bool utf8) {
    const std::vector<ShownCharacter> before = shownCharacters(shownBytes, characterSet, utf8);
    const size_t shorter = std::min(before.size(), edited.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix].c == edited[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix].c == edited[edited.size() - 1 - suffix])
        ++suffix;

    FieldEdit edit;
    std::string inserted;
    size_t insertedCharacters = 0;
    for (size_t i = prefix; i < edited.size() - suffix; ++i) {
        const char32_t c = edited[i];
        uint8_t ansi = 0;
        char storedChar = 0;
        if (utf8 && c >= 0x80 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)) {
            appendUtf8(inserted, c);
            ++insertedCharacters;
        } else if (!platform::unicodeToAnsi(c, ansi)) {
            if (std::find(edit.outside.begin(), edit.outside.end(), c) == edit.outside.end())
                edit.outside.push_back(c);
        } else if (typedMessageCharacter(characterSet, static_cast<char>(ansi), storedChar)) {
            inserted.push_back(storedChar);
            ++insertedCharacters;
        }
    }
    // Text the code page lacks refuses the whole edit, as it refuses a
    // command: the box goes back to what is stored.
    if (!edit.outside.empty()) {
        edit.stored = stored;
        edit.cursor = prefix;
        return edit;
    }
    size_t keptBytes = 0, tailBytes = 0;
    for (size_t i = 0; i < prefix; ++i) keptBytes += before[i].bytes;
    for (size_t i = 0; i < suffix; ++i) tailBytes += before[before.size() - 1 - i].bytes;
    const size_t kept = std::min(keptBytes, stored.size());
    const size_t tail = std::min(tailBytes, stored.size() - kept);
    edit.stored = stored.substr(0, kept) + inserted + stored.substr(stored.size() - tail);
    edit.cursor = prefix + insertedCharacters;
    return edit;
}

}  // namespace quillet
