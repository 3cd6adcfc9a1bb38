#pragma once
// What the main window's fields accept while the user types.
#include <string>

namespace quillet {

constexpr char kBackspace = '\b';

enum class KeyVerdict {
    Accept,
    RefuseWithBeep,  // dimension fields
    Drop,            // the magnification field drops keys silently
};

// `NBWidth` and `BCHeight`: digits and the decimal separator, at most five
// characters; backspace always.
KeyVerdict dimensionFieldKey(const std::string& text, char key);
// `Magnify`: digits (and '.' while it holds the PDF417 aspect ratio, code
// 15), at most four characters; backspace always.
KeyVerdict magnifyFieldKey(int symbology, const std::string& text, char key);

// The character stored for a printable character typed into the message:
// in the ASCII character set it is converted from the ANSI to the OEM code
// page; in the ANSI set it is stored unchanged. Control characters cannot
// be typed (returns false).
bool typedMessageCharacter(int characterSet, char typed, char& stored);

}  // namespace quillet
