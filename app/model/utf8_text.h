#pragma once
// Text beyond the ANSI code page: which symbologies carry it (as UTF-8,
// under the UTF-8 character set) and what the user is told when one cannot.
#include <string>
#include <vector>

namespace quillet {

// QR Code, Data Matrix, Aztec Code and PDF417. Under the UTF-8 character
// set the stored message is UTF-8 text; every other text stays in the ANSI
// code page.
bool carriesUtf8(int symbology);

// The refusal naming each character, as U+ code points so that the text
// itself stays within the code page.
std::string outsideCodePageText(const std::vector<char32_t>& characters);

}  // namespace quillet
