#include "app/model/utf8_text.h"

#include <cstdio>

#include "app/model/symbology.h"

namespace quillet {

bool carriesUtf8(int symbology) {
    using enum Symbology;
    const Symbology s = Symbology(symbology);
    return s == QrCode || s == DataMatrix || s == Aztec || s == Pdf417;
}

std::string outsideCodePageText(const std::vector<char32_t>& characters) {
    std::string names;
    for (char32_t c : characters) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "U+%04X", unsigned(c));
        names += (names.empty() ? "" : ", ") + std::string(buf);
    }
    return "The text holds characters that the ANSI code page cannot hold: " + names +
           ". Only QR Code, Data Matrix, Aztec Code and PDF417 carry them, with the UTF-8 character set on "
           "(Preferences menu, [UTF8=ON]).";
}

}  // namespace quillet
