#pragma once
// The contents of a configuration file (".qcf") as plain values: what the
// writer puts on each line and what the reader found, checked, before any
// of it reaches the settings.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/model/aztec_options.h"
#include "app/model/datamatrix_options.h"
#include "app/model/pdf417_options.h"
#include "app/model/qr_options.h"
#include "app/model/raster_options.h"

namespace quillet {

struct AppState;

inline constexpr const char* kConfigHeader = "QUILLET v3.0 Professional (32 Bit) configuration";
inline constexpr const char* kOlderConfigHeader = "QUILLET v3.0 Professional configuration";

struct ConfigRecord {
    std::string messageFilePath;   // 2
    std::string barCodeFilePath;   // 3
    int pdfCharacterSet = 0;       // 4
    bool messageFileOpen = false;  // 5
    int symbology = 1;             // 6
    bool transparent = false;      // 7
    bool fixDriver = false;        // 8
    int unitMode = 1000;           // 9 and 12
    bool includeText = true;       // 10
    bool textAbove = false;        // 11, bit 0
    bool commentAbove = true;      // 11, bit 1
    bool bearerBars = false;       // 13 and 22
    std::string fontName;          // 14
    int fontSize = 10;             // 15
    bool bold = false, italic = false, underline = false, strikeout = false;  // 16-19
    bool autoFontScaling = false;  // 20
    bool quietZones = false;       // 21
    int orientation = 0;           // 23
    int saveMode = 0;              // 24
    bool optionalCheckDigit = false;  // 25
    int ratioIndex = 5;            // 27
    std::string magnifyText;       // 28
    std::string nbWidthText;       // 29
    std::string bcHeightText;      // 30
    std::string supplementText;    // 31
    int pdfSecurityLevel = 9;      // 32
    int pdfSizeConstraint = 0;     // 33
    int pdfCompaction = 0;         // 34
    int pdfOverheadPercent = 11;   // 35
    bool pdfShowCodewords = false; // 36
    int dpiX = 300, dpiY = 300;    // 37, 38: along the symbol's own axes
    bool printerWarnings = true;   // 39
    bool messageWarnings = true;   // 40
    uint32_t fontColour = 0, foreColour = 0, backColour = 0xFFFFFF;  // 41-43
    int pdfMaxRows = 90;           // 44
    int pdfMaxColumns = 30;        // 45
    bool pdfTruncated = false;     // 46
    int startupRatioPosition = 2;  // 47
    int characterSet = 0;          // 48
    int barWidthAdjust = 0;        // 49
    bool incEnabled = false;       // 50
    float pdfModuleWidth = 25.4f;  // 51
    float pdfModuleHeight = 76.2f; // 52
    float magnification = 100;     // 53
    float narrowWidth = 33.02f;    // 54
    float barHeight = 2.54f;       // 55
    double pdfAspectRatio = 0.5;   // 56
    double incStart = 1, incValue = 1, incWidth = 0;  // 57-59
    std::string incPreamble, incPostamble, message;   // 60-63
    std::optional<std::string> comment;  // 63, after the raw text

    // Optional groups: each present only when the file went on that far.
    struct AlignAztec {
        int commentAlign = 0;
        int aztecSizeSpec = 0;
        float matrixModuleSize = 50.8f;
        bool aztecMenuSymbol = false;
    };
    std::optional<AlignAztec> alignAztec;  // 64-67
    std::optional<DataMatrixOptions> dm;   // 68-70
    std::optional<RasterOptions> raster;   // 71-80 (saveMode and margins unused)
    std::optional<QrOptions> qr;           // 81-83
    // The symbology again, with the codes after 25 that line 6 cannot
    // hold, and the segments per row of DataBar Expanded Stacked.
    struct DataBarExpanded {
        int symbology = 1;
        int segments = 4;
    };
    std::optional<DataBarExpanded> expanded;  // 84-85
    // The UTF-8 character set and the GS1 mode, after every older line.
    struct TextModes {
        bool utf8Text = false;
        bool gs1Mode = false;
    };
    std::optional<TextModes> textModes;  // 86-87
};

enum class ConfigProblem { None, NotConfiguration, EndsEarly, BadValue };

struct ConfigParse {
    ConfigProblem problem = ConfigProblem::None;
    int line = 0;  // the line where the problem was found
    ConfigRecord record;
};

// The record of the current settings, as Save Configuration writes it.
ConfigRecord recordFromSettings(const AppState& app);
// The file's bytes: 87 lines ended by CR LF.
std::string configurationText(const ConfigRecord& r);
// Reads and checks every line; nothing outside the result is touched.
ConfigParse parseConfiguration(std::string_view bytes);

}  // namespace quillet
