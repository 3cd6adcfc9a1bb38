#include "app/model/field_input.h"

#include "app/model/settings.h"
#include "app/model/symbology.h"
#include "platform/codepage.h"

namespace quillet {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

KeyVerdict dimensionFieldKey(const std::string& text, char key) {
    if (key == kBackspace) return KeyVerdict::Accept;
    if (!isDigit(key) && key != '.') return KeyVerdict::RefuseWithBeep;
    return text.size() >= 5 ? KeyVerdict::RefuseWithBeep : KeyVerdict::Accept;
}

KeyVerdict magnifyFieldKey(int symbology, const std::string& text, char key) {
    if (key == kBackspace) return KeyVerdict::Accept;
    // The PDF417 aspect ratio has decimals.
    const bool decimals = symbologyInfo(symbology).fields.scale == ScaleField::AspectRatio;
    if (!isDigit(key) && !(decimals && key == '.')) return KeyVerdict::Drop;
    return text.size() >= 4 ? KeyVerdict::Drop : KeyVerdict::Accept;
}

bool typedMessageCharacter(int characterSet, char typed, char& stored) {
    if (static_cast<unsigned char>(typed) < 32) return false;
    stored = characterSet == CharsetAscii ? platform::ansiToOem(std::string(1, typed))[0] : typed;
    return true;
}

}  // namespace quillet
