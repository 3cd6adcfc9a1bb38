#pragma once
// The message, comment and supplement boxes: stored bytes shown as text,
// and edits of that text applied to the stored bytes at the same positions.
#include <string>
#include <vector>

namespace quillet {

// What a box shows for stored bytes: in the ASCII character set the boxes
// use an OEM font, so bytes read as code page 437; in ANSI as Windows-1252.
std::u32string shownText(const std::string& stored, int characterSet);

struct FieldEdit {
    std::string stored;
    size_t cursor = 0;  // just after what was inserted
    // Characters typed or pasted that the ANSI code page lacks, each once:
    // the edit is refused (stored stays as it was), as such text is from
    // the command line.
    std::vector<char32_t> outside;
};

// The box showed shownText(shownBytes) and now holds `edited`. The
// characters it kept at both ends keep their stored bytes (shownBytes is
// the display form of stored, one byte for each), so a character shown in
// place of another, such as 0 shown as 255, survives any edit elsewhere;
// the characters typed or pasted between them are stored as typed
// characters are (converted to OEM in the ASCII set; controls and
// characters outside the code page refuse the edit).
FieldEdit applyFieldEdit(const std::string& stored, const std::string& shownBytes, const std::u32string& edited,
                         int characterSet);

}  // namespace quillet
