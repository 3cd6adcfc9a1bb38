// The four exports: message parsing, the symbol, its separators and the
// composite component, copied into the caller's buffers.
#include "stripegen/stripegen.h"

#include <cstring>
#include <string>

#include "stripegen/cc_encode.h"
#include "stripegen/cc_rows.h"
#include "stripegen/databar_symbols.h"
#include "stripegen/databar_tables.h"
#include "stripegen/export_buffers.h"
#include "stripegen/gf929.h"
#include "stripegen/separators.h"

namespace stripegen {

namespace {

bool gCompositeError = false;

// Built when the library is loaded, as the platform's load entry would.
__attribute__((constructor)) void onLoad() { buildGf929Tables(); }

struct Message {
    std::string primary;
    bool hasComposite = false;
    std::string composite;
};

Message splitMessage(char** message) {
    Message m;
    const char* text = (message != nullptr && *message != nullptr) ? *message : "";
    const char* bar = std::strchr(text, '|');
    if (bar == nullptr) {
        m.primary = text;
    } else {
        m.primary.assign(text, size_t(bar - text));
        m.hasComposite = true;
        m.composite = bar + 1;
    }
    return m;
}

// The primary data left-padded with zeros to 13 characters; its value is
// read digit by digit up to the first non-digit.
uint64_t primaryValue(const std::string& primary) {
    std::string padded = "0000000000000" + primary;
    uint64_t v = 0;
    for (char c : padded.substr(padded.size() - 13)) {
        if (c < '0' || c > '9') break;
        v = v * 10 + uint64_t(c - '0');
    }
    return v;
}

// Encodes and writes the composite outputs; false (error flag set) when the
// message cannot be held.
bool writeComposite(const Message& m, int columns, char** rowsOut, int32_t* rowCount,
                    int32_t* elementsPerRow) {
    if (writeComponent(m.composite, columns, rowsOut, rowCount, elementsPerRow)) return true;
    gCompositeError = true;
    return false;
}

}  // namespace

bool writeComponent(const std::string& composite, int columns, char** rowsOut, int32_t* rowCount,
                    int32_t* elementsPerRow) {
    CcComponent cc = encodeComposite(composite, columns);
    Widths rows;
    if (!cc.ok || !buildCcRows(cc, rows)) return false;
    copyOut(rowsOut, rows);
    putInt(rowCount, cc.rows);
    putInt(elementsPerRow, ccRowElements(columns, cc.isCcb));
    return true;
}

}  // namespace stripegen

using namespace stripegen;

extern "C" int32_t RSSPattern(char** message, char** pattern, char** compositeSeparator,
                              char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow) {
    gCompositeError = false;
    buildGf929Tables();
    Message m = splitMessage(message);
    if (m.primary.size() > 13) return STRIPEGEN_PRIMARY_TOO_LONG;
    uint64_t v = primaryValue(m.primary) + (m.hasComposite ? kRss14Linkage : 0);
    Widths p = rss14Pattern(encodeRss14(v));
    copyOut(pattern, p);
    copyOut(compositeSeparator, finderSeparator(p, {18, 63}));
    if (m.hasComposite && !writeComposite(m, 4, compositeRows, rowCount, elementsPerRow))
        return STRIPEGEN_COMPOSITE_FAILED;
    return STRIPEGEN_OK;
}

extern "C" int32_t RSS14SPattern(char** message, char** upperRow, char** lowerRow, char** middleSeparator,
                                 char** compositeSeparator, char** compositeRows, int32_t* rowCount,
                                 int32_t* elementsPerRow) {
    gCompositeError = false;
    Message m = splitMessage(message);
    if (m.primary.size() > 13) return STRIPEGEN_PRIMARY_TOO_LONG;
    uint64_t v = primaryValue(m.primary) + (m.hasComposite ? kRss14Linkage : 0);
    Widths p = rss14Pattern(encodeRss14(v));
    Widths upper = stackedUpperRow(p), lower = stackedLowerRow(p);
    copyOut(upperRow, upper);
    copyOut(lowerRow, lower);
    copyOut(middleSeparator, stackedMiddleSeparator(upper, lower));
    copyOut(compositeSeparator, finderSeparator(upper, {18}));
    if (m.hasComposite && !writeComposite(m, 2, compositeRows, rowCount, elementsPerRow))
        return STRIPEGEN_COMPOSITE_FAILED;
    return STRIPEGEN_OK;
}

extern "C" int32_t RSS14SOPattern(char** message, char** upperRow, char** lowerRow, char** upperSeparator,
                                  char** middleSeparator, char** lowerSeparator, char** compositeSeparator,
                                  char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow) {
    gCompositeError = false;
    Message m = splitMessage(message);
    if (m.primary.size() > 13) return STRIPEGEN_PRIMARY_TOO_LONG;
    uint64_t v = primaryValue(m.primary) + (m.hasComposite ? kRss14Linkage : 0);
    Widths p = rss14Pattern(encodeRss14(v));
    Widths upper = stackedUpperRow(p), lower = stackedLowerRow(p);
    copyOut(upperRow, upper);
    copyOut(lowerRow, lower);
    copyOut(upperSeparator, finderSeparator(upper, {18}));
    copyOut(middleSeparator, stackedOmniMiddleSeparator());
    copyOut(lowerSeparator, finderSeparator(lower, {17}, true));
    copyOut(compositeSeparator, finderSeparator(upper, {18}));
    if (m.hasComposite && !writeComposite(m, 2, compositeRows, rowCount, elementsPerRow))
        return STRIPEGEN_COMPOSITE_FAILED;
    return STRIPEGEN_OK;
}

extern "C" int32_t RSSLimPattern(char** message, char** pattern, char** compositeSeparator,
                                 char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow) {
    gCompositeError = false;
    buildGf929Tables();
    Message m = splitMessage(message);
    if (m.primary.size() > 13) return STRIPEGEN_PRIMARY_TOO_LONG;
    uint64_t value = primaryValue(m.primary);
    if (value > kLimitedMaxValue) return STRIPEGEN_OK;  // the caller checks the range itself
    Widths p = limitedPattern(encodeLimited(value + (m.hasComposite ? kLimitedLinkage : 0)));
    copyOut(pattern, p);
    copyOut(compositeSeparator, limitedSeparator(p));
    if (m.hasComposite && !writeComposite(m, 3, compositeRows, rowCount, elementsPerRow))
        return STRIPEGEN_COMPOSITE_FAILED;
    return STRIPEGEN_OK;
}
