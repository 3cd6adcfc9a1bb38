// Reading a configuration file into a checked record. Nothing here touches
// the settings: a file that ends early or holds a value no setting can take
// is refused whole.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/automation/config_record.h"

namespace quillet {

namespace {

struct Refused {
    ConfigProblem problem;
};

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    int line() const { return line_; }
    size_t position() const { return pos_; }
    bool ended() const { return pos_ >= bytes_.size(); }
    // Nothing but line ends and spaces remains.
    bool onlyBlankLeft() const {
        return bytes_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
    }

    std::string text() {
        ++line_;
        if (ended()) throw Refused{ConfigProblem::EndsEarly};
        return restOfLine();
    }

    // The rest of the current physical line, without its line end.
    std::string restOfLine() {
        size_t end = bytes_.find('\n', pos_);
        std::string_view l = bytes_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        return std::string(l);
    }

    // The line of raw text begins.
    void beginRaw() { ++line_; }

    // Exactly n bytes, line ends included.
    std::string raw(size_t n) {
        if (bytes_.size() - pos_ < n) throw Refused{ConfigProblem::EndsEarly};
        std::string r(bytes_.substr(pos_, n));
        pos_ += n;
        return r;
    }

    // Any decimal notation, spaces around it allowed.
    double number() {
        const std::string t = text();
        size_t b = t.find_first_not_of(" \t");
        size_t e = t.find_last_not_of(" \t");
        if (b == std::string::npos) throw Refused{ConfigProblem::BadValue};
        const std::string core = t.substr(b, e - b + 1);
        // strtod also reads hexadecimal, infinities and NaN; none of them is
        // a decimal number.
        for (char c : core)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
                throw Refused{ConfigProblem::BadValue};
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(core.c_str(), &end);
        if (end != core.c_str() + core.size() || errno == ERANGE || !std::isfinite(v))
            throw Refused{ConfigProblem::BadValue};
        return v;
    }

    long long integer(long long lo, long long hi) {
        const double v = std::nearbyint(number());
        if (v < double(lo) || v > double(hi)) throw Refused{ConfigProblem::BadValue};
        return static_cast<long long>(v);
    }
    int integer(int lo, int hi) { return int(integer(static_cast<long long>(lo), static_cast<long long>(hi))); }
    bool flag() { return integer(-2147483647 - 1, 2147483647) != 0; }
    // A single-precision setting: within float range. Unusable values are
    // refused by the build, as when they are typed.
    float single() {
        const double v = number();
        if (std::fabs(v) > FLT_MAX) throw Refused{ConfigProblem::BadValue};
        return float(v);
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
    int line_ = 0;
};

constexpr int kIntMax = 2147483647;
constexpr int kIntMin = -2147483647 - 1;
// As the command language limits them.
constexpr double kMaxCounterWidth = 3072;

bool validAztecSize(int v) { return (v >= 0 && v <= 99) || (v >= 101 && v <= 104) || (v >= 201 && v <= 232); }
bool validDmEcc(int v) { return v == 0 || v == 3 || v == 6 || v == 8 || v == 12 || v == 26; }

void check(bool ok) {
    if (!ok) throw Refused{ConfigProblem::BadValue};
}

// Resolutions below 1 stand for "the printer reports none".
int resolution(LineReader& in) {
    const int v = in.integer(kIntMin, 99999);
    return v < 1 ? 300 : v;
}

void readMainLines(LineReader& in, ConfigRecord& r) {
    r.messageFilePath = in.text();                   // 2
    r.barCodeFilePath = in.text();                   // 3
    r.pdfCharacterSet = in.integer(0, 2);            // 4
    r.messageFileOpen = in.flag();                   // 5
    r.symbology = in.integer(1, 25);                 // 6
    r.transparent = in.flag();                       // 7
    r.fixDriver = in.flag();                         // 8
    in.integer(kIntMin, kIntMax);                    // 9: repeated on 12, which rules
    r.includeText = in.flag();                       // 10
    const int placement = in.integer(kIntMin, kIntMax);  // 11
    r.textAbove = (placement & 1) != 0;
    r.commentAbove = (placement & 2) != 0;
    const int units = in.integer(kIntMin, kIntMax);  // 12
    r.unitMode = units == 1000 ? 1000 : units == 2540 ? 2540 : 0;
    r.bearerBars = in.flag();                        // 13
    r.fontName = in.text();                          // 14
    r.fontSize = in.integer(1, 1638);                // 15
    r.bold = in.flag();                              // 16
    r.italic = in.flag();                            // 17
    r.underline = in.flag();                         // 18
    r.strikeout = in.flag();                         // 19
    r.autoFontScaling = in.flag();                   // 20
    r.quietZones = in.flag();                        // 21
    in.flag();                                       // 22: bearer bars again
    r.orientation = in.integer(0, 2);                // 23
    r.saveMode = in.integer(0, 1);                   // 24
    r.optionalCheckDigit = in.flag();                // 25
    in.integer(kIntMin, kIntMax);                    // 26: reserved
    r.ratioIndex = in.integer(0, 10);                // 27
    r.magnifyText = in.text();                       // 28
    r.nbWidthText = in.text();                       // 29
    r.bcHeightText = in.text();                      // 30
    r.supplementText = in.text();                    // 31
    r.pdfSecurityLevel = in.integer(0, 9);           // 32
    r.pdfSizeConstraint = in.integer(0, 2);          // 33
    r.pdfCompaction = in.integer(0, 4);              // 34
    r.pdfOverheadPercent = in.integer(0, 99);        // 35
    r.pdfShowCodewords = in.flag();                  // 36
    r.dpiX = resolution(in);                         // 37
    r.dpiY = resolution(in);                         // 38
    r.printerWarnings = in.flag();                   // 39
    r.messageWarnings = in.flag();                   // 40
    r.fontColour = uint32_t(in.integer(0, 0xFFFFFF));  // 41
    r.foreColour = uint32_t(in.integer(0, 0xFFFFFF));  // 42
    r.backColour = uint32_t(in.integer(0, 0xFFFFFF));  // 43
    r.pdfMaxRows = in.integer(3, 90);                // 44
    r.pdfMaxColumns = in.integer(1, 30);             // 45
    r.pdfTruncated = in.flag();                      // 46
    r.startupRatioPosition = in.integer(0, 10);      // 47
    r.characterSet = in.integer(kIntMin, kIntMax) != 0 ? 1 : 0;  // 48
    r.barWidthAdjust = in.integer(0, 31);            // 49
    r.incEnabled = in.flag();                        // 50
    r.pdfModuleWidth = in.single();               // 51
    r.pdfModuleHeight = in.single();              // 52
    r.magnification = in.single();                // 53
    r.narrowWidth = in.single();                  // 54
    r.barHeight = in.single();                    // 55
    r.pdfAspectRatio = in.number();                  // 56
    r.incStart = in.number();                        // 57
    r.incValue = in.number();                        // 58
    r.incWidth = in.number();                        // 59
    check(r.incWidth >= 0 && r.incWidth <= kMaxCounterWidth);
}

void readOptionalGroups(LineReader& in, ConfigRecord& r) {
    // A group counts only when it is complete: a file cut inside one keeps
    // the settings of that group and of every later one.
    try {
        if (in.onlyBlankLeft()) return;
        ConfigRecord::AlignAztec a;
        a.commentAlign = in.integer(0, 2);            // 64
        a.aztecSizeSpec = in.integer(0, 232);         // 65
        check(validAztecSize(a.aztecSizeSpec));
        a.matrixModuleSize = in.single();          // 66
        a.aztecMenuSymbol = in.flag();                // 67
        r.alignAztec = a;

        if (in.onlyBlankLeft()) return;
        DataMatrixOptions dm;
        dm.dmEccCode = in.integer(0, 26);             // 68
        check(validDmEcc(dm.dmEccCode));
        const int shapeFormat = in.integer(0, 30 * 8 + 7);  // 69
        dm.dmDataFormat = shapeFormat & 7;
        dm.dmShapeSize = shapeFormat / 8;
        check(dm.dmDataFormat >= 1 && dm.dmDataFormat <= 6);
        dm.dmTranslateTildes = in.flag();             // 70
        r.dm = dm;

        if (in.onlyBlankLeft()) return;
        RasterOptions ro;
        ro.rasterBitsPerPixel = in.integer(1, 24);    // 71
        check(ro.rasterBitsPerPixel == 1 || ro.rasterBitsPerPixel == 8 || ro.rasterBitsPerPixel == 24);
        ro.rasterResolution = in.integer(20, 1440);   // 72
        ro.jpegQuality = in.integer(0, 100);          // 73
        ro.pngFilter = in.integer(0, 10);             // 74
        check(ro.pngFilter % 2 == 0);
        ro.pngInterlace = in.flag() ? 1 : 0;          // 75
        ro.bmpCompression = in.flag() ? 1 : 0;        // 76
        ro.tgaCompression = in.flag() ? 1 : 0;        // 77
        ro.tiffCompression = in.integer(0, 4);        // 78
        ro.gifCompression = in.flag() ? 1 : 0;        // 79
        in.text();                                    // 80: reserved
        r.raster = ro;

        if (in.onlyBlankLeft()) return;
        QrOptions qr;
        qr.qrQuietZone = in.integer(1, 10);           // 81
        qr.qrEccLevel = in.integer(0, 3);             // 82
        qr.qrModel = in.integer(1, 3);                // 83
        r.qr = qr;
    } catch (const Refused& e) {
        if (e.problem != ConfigProblem::EndsEarly) throw;
    }
}

}  // namespace

ConfigParse parseConfiguration(std::string_view bytes) {
    ConfigParse result;
    LineReader in(bytes);
    try {
        const std::string header = in.ended() ? std::string() : in.text();
        if (header != kConfigHeader && header != kOlderConfigHeader) {
            result.problem = ConfigProblem::NotConfiguration;
            result.line = 1;
            return result;
        }
        ConfigRecord& r = result.record;
        readMainLines(in, r);
        const size_t p = size_t(in.integer(0LL, 1LL << 40));  // 60
        const size_t q = size_t(in.integer(0LL, 1LL << 40));  // 61
        const size_t m = size_t(in.integer(0LL, 1LL << 40));  // 62
        in.beginRaw();                                         // 63
        r.incPreamble = in.raw(p);
        r.incPostamble = in.raw(q);
        r.message = in.raw(m);
        if (!in.ended()) r.comment = in.restOfLine();
        readOptionalGroups(in, r);
    } catch (const Refused& e) {
        result.problem = e.problem;
        result.line = in.line();
        result.record = ConfigRecord{};
    }
    return result;
}

}  // namespace quillet
