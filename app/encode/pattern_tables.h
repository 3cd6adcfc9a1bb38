#pragma once
// The per-symbology pattern tables every linear encode works from. Each
// entry is a `BarPattern` fragment.
#include <array>
#include <string>

namespace quillet {

struct PatternTables {
    int symbology = 0;
    std::array<std::string, 136> main;     // meaning depends on the symbology
    std::array<std::string, 11> eanEven;   // G-set digit patterns 0..9
    std::array<std::string, 129> upcRight; // UPC/EAN family only
    std::string start, stop;
};

// Fills the tables for a symbology (0 counts as 1).
void buildPatternTables(PatternTables& t, int symbology);

// The tables of a symbology, built at its first use and kept for the run:
// a batch of thousands of labels builds them once. Codes outside the
// numbering get a fresh set each call.
const PatternTables& patternTables(int symbology);

// Fillers of the individual families.
void fillCode39Table(PatternTables& t);
void fillCode93Table(PatternTables& t);
void fillCodabarTable(PatternTables& t);
void fillInterleaved2of5Table(PatternTables& t);
void fillDiscrete2of5Table(PatternTables& t);
void fillMsiTable(PatternTables& t);
void fillUpcEanTables(PatternTables& t, int symbology);
void fillCode128Table(PatternTables& t);
void fillPostalTables(PatternTables& t, int symbology);

}  // namespace quillet
