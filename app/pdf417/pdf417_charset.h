#pragma once
// The PDF417 symbol character set: the message may be converted between
// the OEM (ASCII) and ANSI code pages before compaction.
#include <string>

namespace quillet {

// pdfCharacterSet: 0 display set, 1 ASCII, 2 ANSI; characterSet: the
// display and input set (CharsetAscii or CharsetAnsi).
void ConvertPdfCharacterSet(std::string& message, int pdfCharacterSet, int characterSet);

}  // namespace quillet
