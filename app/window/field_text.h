#pragma once
// The message, comment and supplement boxes: stored bytes shown as text,
// and edits of that text applied to the stored bytes at the same positions.
#include <string>
#include <vector>

namespace quillet {

// What a box shows for stored bytes: in the ASCII character set the boxes
// use an OEM font, so bytes read as code page 437; in ANSI as Windows-1252.
// A message kept as UTF-8 (`utf8`) shows its characters; a byte that is
// not part of a UTF-8 sequence shows as in ANSI.
std::u32string shownText(const std::string& stored, int characterSet, bool utf8 = false);

struct FieldEdit {
    std::string stored;
    size_t cursor = 0;               // in characters, just after what was inserted
    std::vector<char32_t> outside;   // typed characters the code page lacks: the edit is refused
};

// The box showed shownText(shownBytes) and now holds `edited`. The
// characters it kept at both ends keep their stored bytes (shownBytes is
// the display form of stored, one byte for each), so a character shown in
// place of another, such as 0 shown as 255, survives any edit elsewhere;
// the characters typed or pasted between them are stored as typed
// characters are (converted to OEM in the ASCII set; controls dropped). A
// character outside the code page refuses the edit (stored stays as it
// was) and is named in `outside` for the user to be told, unless the
// message is kept as UTF-8 (`utf8`), which stores every character.
FieldEdit applyFieldEdit(const std::string& stored, const std::string& shownBytes, const std::u32string& edited,
                         int characterSet, bool utf8 = false);

}  // namespace quillet
