#pragma once
// A built symbol as a value: the picture as it was recorded and what the
// symbol carries. The preview, saving, printing and batch runs work from it.
#include <cstdint>
#include <string>
#include <vector>

#include "app/model/module_matrix.h"

namespace quillet {

// A recorded metafile picture: what the clipboard's metafile picture holds,
// with the records in place of the handle.
struct RecordedMetafile {
    std::vector<uint8_t> records;  // 18-byte header, records, end record
    int mapMode = 8;               // anisotropic
    int xExt = 0, yExt = 0;        // 0.01 mm
    bool operator==(const RecordedMetafile&) const = default;
};

struct BuiltSymbol {
    RecordedMetafile metafile;
    int width = 0;   // across the bars, before turning (drawing units)
    int height = 0;  // along the bars
    // The data: for linear symbols the human-readable text as the encoder
    // laid it out (with the check digits it prints, UPC/EAN digits spaced
    // into their groups), and the check characters shown apart (Code 93 C
    // and K, Code 128 and GS1-128); DataBar's fourteen digits; the message
    // of the 2-D symbols.
    std::string text;
    std::string checkText;
    std::string barPattern;  // linear symbols: the encoder's pattern without quiet zones
    ModuleMatrix modules;    // PDF417, Data Matrix and QR Code
};

}  // namespace quillet
