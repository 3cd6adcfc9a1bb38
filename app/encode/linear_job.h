#pragma once
// One linear encode: what an encoder reads and what it hands back.
#include <string>

#include "app/encode/pattern_tables.h"
#include "app/model/settings.h"

namespace quillet {

struct LinearJob {
    const PatternTables& tables;
    const SymbolSettings& settings;
    std::string message;     // in: the message; out: the human-readable text
    std::string supplement;  // in: the `Supplement` text; out: add-on digits (UPC/EAN) or ""
    std::string pattern;     // out: start to stop, without quiet zones
    std::string checkText;   // out: the `CheckValue` text
    int error = 0;           // message code of a failed rule, 0 on success
    bool secondBeep = false; // UPC-A without the user's own check digit
    std::string errorText;   // when set, shown in place of the text of `error`
};

void encodeCode39(LinearJob& job);
void encodeCode93(LinearJob& job);
void encodeCodabar(LinearJob& job);
void encodeInterleaved2of5(LinearJob& job);
void encodeDiscrete2of5(LinearJob& job);
void encodeMsiPlessey(LinearJob& job);
void encodeUpcEan(LinearJob& job);
void encodeCode128(LinearJob& job);
void encodePostal(LinearJob& job);

// Runs the encoder of job.settings.symbology; codes without a linear
// encoder succeed with an empty pattern.
void encodeLinearJob(LinearJob& job);

}  // namespace quillet
