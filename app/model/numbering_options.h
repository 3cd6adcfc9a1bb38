#pragma once
// Message file and incremental numbering state; a member of SymbolSettings.
#include <cstdint>
#include <string>
#include <vector>

#include "app/model/text_lines.h"

namespace quillet {

enum IncTarget : int { IncTargetMessage = -1, IncTargetSupplement = 0 };

struct NumberingOptions {
    // Message file: one message per line, stepped through with Next/Previous.
    std::string messageFilePath;
    TextLines messageLines;
    int messageLineCount = 0;
    int currentLine = 0;                    // 1-based while a file is open
    bool messageFileOpen = false;

    // Incremental numbering: preamble + counter + postamble.
    bool incEnabled = false;
    bool incSuspended = false;  // switched off by opening a message file
    double incStart = 1;        // the current number
    double incValue = 1;        // step per Next (subtracted per Previous)
    double incWidth = 0;        // digits; 0 = as many as the number needs
    std::string incPreamble;
    std::string incPostamble;
    int incTarget = IncTargetMessage;
    bool operator==(const NumberingOptions&) const = default;
};

}  // namespace quillet
