// Automatic choice between Text, Byte and Numeric Compaction.
#include <algorithm>

#include "app/pdf417/pdf417_compaction.h"

namespace quillet {
namespace {

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int length(const PdfScan& s) { return int(s.message.size()); }

// Character at a 1-based position.
unsigned char at(const PdfScan& s, int pos) { return s.message[size_t(pos - 1)]; }

// Characters from..to (1-based, inclusive); empty when to < from.
std::string_view slice(std::string_view m, int from, int to) {
    if (to < from) return {};
    return m.substr(size_t(from - 1), size_t(to - from + 1));
}

void append(PdfCodewordString& out, const PdfCodewordString& part) {
    out.insert(out.end(), part.begin(), part.end());
}

void appendCodeword(PdfCodewordString& out, int cw) {
    out.push_back(cw / 30);
    out.push_back(cw % 30);
}

}  // namespace

bool IsPdfTextCharacter(unsigned char c) { return (c >= 32 && c <= 126) || c == 9 || c == 10 || c == 13; }

int FindDigitRun(PdfScan& scan, int from) {
    if (from <= 1) scan.digitRunExhausted = false;
    if (!scan.numericRuns || scan.digitRunExhausted) return 0;
    const int len = length(scan);
    int run = 0;
    for (int p = std::max(from, 1); p <= len; ++p) {
        run = isDigit(at(scan, p)) ? run + 1 : 0;
        if (run == 14) return p - 13;
    }
    scan.digitRunExhausted = true;
    return 0;
}

int FindDigitRunEnd(const PdfScan& scan, int from) {
    const int len = length(scan);
    int p = from + 13;
    while (p <= len && isDigit(at(scan, p))) ++p;
    return p - 1;
}

int FindTextRun(const PdfScan& scan, int from) {
    const int len = length(scan);
    int run = 0;
    for (int p = std::max(from, 1); p <= len; ++p) {
        run = IsPdfTextCharacter(at(scan, p)) ? run + 1 : 0;
        if (run == 6) return p - 5;
    }
    return 0;
}

bool PreferBytes(const PdfScan& scan, int at) {
    const int len = length(scan);
    if (len - at + 1 >= 6) {
        int control = 0;
        for (int p = at; p < at + 6; ++p) {
            unsigned char c = quillet::at(scan, p);
            if (c < 32 || c >= 127) ++control;
        }
        return control >= 3;
    }
    std::string_view rest = slice(scan.message, at, len);
    size_t textCount = CompactText(rest, true)->size() / 2;
    size_t byteCount = CompactBytes(rest).size() / 2;
    return textCount >= byteCount;
}

int FindByteStart(PdfScan& scan, int from) {
    if (from <= 1) scan.byteStartExhausted = false;
    const int len = length(scan);
    if (scan.byteStartExhausted || from >= len) {
        scan.byteStartExhausted = true;
        return 0;
    }
    for (int p = std::max(from, 1); p <= len; ++p)
        if (!IsPdfTextCharacter(at(scan, p)) && PreferBytes(scan, p)) return p;
    scan.byteStartExhausted = true;
    return 0;
}

PdfCodewordString CompactAuto(std::string_view message, bool numericRuns) {
    enum Mode { kText, kByte, kNumeric };
    PdfScan scan{message, numericRuns};
    PdfCodewordString out;
    const int len = int(message.size());
    int pos = 1;
    Mode mode = kText, lastEmitted = kText;
    while (pos <= len) {
        if (mode == kText) {
            if (lastEmitted != kText) appendCodeword(out, kPdfTextLatch);
            lastEmitted = kText;
            int b = FindByteStart(scan, pos);
            int n = FindDigitRun(scan, pos);
            if (b == 0 && n == 0) {
                append(out, *CompactText(slice(message, pos, len), true));
                break;
            }
            if (n != 0 && (b == 0 || n < b)) {
                append(out, *CompactText(slice(message, pos, n - 1), true));
                mode = kNumeric;
                pos = n;
            } else {
                append(out, *CompactText(slice(message, pos, b - 1), true));
                mode = kByte;
                pos = b;
            }
        } else if (mode == kByte) {
            lastEmitted = kByte;
            int n = FindDigitRun(scan, pos);
            int t = FindTextRun(scan, pos);
            if (n == 0 && t == 0) {
                append(out, CompactBytes(slice(message, pos, len)));
                break;
            }
            // A digit run is also a text run: a tie goes to Numeric.
            if (n != 0 && (t == 0 || n <= t)) {
                append(out, CompactBytes(slice(message, pos, n - 1)));
                mode = kNumeric;
                pos = n;
            } else {
                append(out, CompactBytes(slice(message, pos, t - 1)));
                mode = kText;
                pos = t;
            }
        } else {
            if (lastEmitted != kNumeric) appendCodeword(out, kPdfNumericLatch);
            lastEmitted = kNumeric;
            int e = FindDigitRunEnd(scan, pos);
            append(out, *CompactNumeric(slice(message, pos, e), false));
            int next = e + 1;
            if (next > len) break;
            int r = FindDigitRun(scan, next);
            if (r == 0 || r - next > 2) {
                mode = PreferBytes(scan, next) ? kByte : kText;
                pos = next;
                continue;
            }
            // Another digit run begins within two characters: bridge the
            // two characters and stay in Numeric Compaction.
            std::string_view two = slice(message, next, next + 1);
            auto isAlpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || c == ' '; };
            if (isAlpha(two[0]) && isAlpha(two[1])) {
                appendCodeword(out, kPdfTextLatch);
                append(out, *CompactText(two, true));
            } else {
                append(out, CompactBytes(two));
            }
            appendCodeword(out, kPdfNumericLatch);
            pos = next + 2;
        }
    }
    return out;
}

std::optional<PdfCodewordString> EncodePdf417Data(std::string_view message, int pdfCompaction) {
    switch (pdfCompaction) {
    case kPdfText: return CompactText(message, false);
    case kPdfBinary: return CompactBytes(message);
    case kPdfNumeric: return CompactNumeric(message, true);
    case kPdfAutoNoNumeric: return CompactAuto(message, false);
    default: return CompactAuto(message, true);
    }
}

}  // namespace quillet
