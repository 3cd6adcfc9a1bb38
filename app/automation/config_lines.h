#pragma once
// The configuration file's 87 lines, described once: the writer and the
// reader both walk this table, so the file's layout, its value ranges and
// its optional groups cannot drift apart between them.
#include <span>
#include <string>

#include "app/automation/config_record.h"

namespace quillet {

enum class LineKind {
    Header,    // line 1: the current header; the older one is also read
    Text,      // a string; line ends in it are written as spaces
    Integer,   // a whole number, with a leading space unless negative
    Flag,      // -1 or 0; any whole number reads, nonzero as true
    Single,    // the shortest text of a single-precision number
    Double,    // the shortest text of a double-precision number
    Length,    // the byte length of a text carried raw on line 63
    Raw,       // line 63: the Length lines' texts back to back, then the comment
    Reserved,  // written as 0; any text reads
};

// Lines after 63 come in groups a file may end before; a group is taken
// only when it is complete.
enum class LineGroup { Main, AlignAztec, DataMatrix, Raster, Qr, DataBarExpanded, TextModes };

// A numeric line's value in the record. set is false for a value no
// setting can take; a line without set is written but not read back.
struct NumberAccess {
    double (*get)(const ConfigRecord&) = nullptr;
    bool (*set)(ConfigRecord&, double) = nullptr;
};

struct ConfigLine {
    int line = 0;
    LineKind kind = LineKind::Text;
    std::string ConfigRecord::*text = nullptr;  // Text and Length lines
    NumberAccess number;                        // numeric lines
    // Accepted on reading, whole numbers after rounding to nearest.
    double lo = 0, hi = 0;
    LineGroup group = LineGroup::Main;
};

std::span<const ConfigLine> configLines();

// Forgets a group read only in part.
void clearConfigGroup(ConfigRecord& r, LineGroup group);

}  // namespace quillet
