#pragma once
// PDF417 security level, matrix size, padding, length descriptor and error
// correction.
#include <string>
#include <vector>

#include "app/model/pdf417_options.h"

namespace quillet {

// Report codes of the planning step.
inline constexpr int kPdfTooLarge = 20;         // message too large or level too high
inline constexpr int kPdfRowsTooSmall = 24;     // fixed rows: more than 30 columns needed
inline constexpr int kPdfColumnsTooSmall = 25;  // fixed columns: more than 90 rows needed
inline constexpr int kPdfNoSizeFits = 26;       // no legal rows x columns for the data

struct Pdf417Matrix {
    int error = 0;  // 0, or one of the report codes above
    int securityLevel = 0;
    int rows = 0;
    int columns = 0;  // data columns
    // rows * columns codewords: length descriptor, data, pads 900, error correction.
    std::vector<int> codewords;
    // Aspect ratio constraint only: the wanted ratio as shown ("#0.000") and
    // the ratio of every candidate size, in the order they were found.
    std::string aspectText;
    std::vector<std::string> candidates;
};

// Module width or height in whole drawing units: (2 x + 1) / 2 in single
// precision, rounded to nearest with ties to even.
int Pdf417ModuleUnits(float size);

// Security level for n data codewords (length descriptor included): the
// fixed level 0-8, or for 9 the level whose codeword count covers
// overheadPercent of n.
int Pdf417SecurityLevel(int n, int pdfSecurityLevel, int pdfOverheadPercent);

// Plans the matrix for the data codewords of compaction (without the length
// descriptor). mwU and mhU are the module width and height in drawing units.
Pdf417Matrix PlanPdf417Matrix(const std::vector<int>& dataCodewords, const Pdf417Options& options,
                              int mwU, int mhU);

// The codeword display: every value in decimal followed by a comma.
std::string FormatPdf417Codewords(const std::vector<int>& codewords);

}  // namespace quillet
