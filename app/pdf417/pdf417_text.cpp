// Text Compaction with the four sub-mode tables of PDF417.
#include "app/pdf417/pdf417_compaction.h"

namespace quillet {
namespace {

enum SubMode { kAlpha, kLower, kMixed, kPunct, kNoTable };

// The value of a character is its position in its table. Mixed holds a
// second "&" at 25 only as a placeholder for the latch value; a search
// always finds the first one.
constexpr std::string_view kTables[4] = {
    std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ ", 27),
    std::string_view("abcdefghijklmnopqrstuvwxyz ", 27),
    std::string_view("0123456789&\r\t,:#-.$/+%*=^& ", 27),
    std::string_view(";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'", 29),
};

int valueIn(SubMode table, unsigned char c) {
    size_t p = kTables[table].find(char(c));
    return p == std::string_view::npos ? -1 : int(p);
}

bool inTable(SubMode table, unsigned char c) { return valueIn(table, c) >= 0; }

// Characters that stand at the same value in Mixed and Punctuation.
bool sharedMixedPunct(unsigned char c) {
    return std::string_view("\r\t,:-.$/*").find(char(c)) != std::string_view::npos;
}

SubMode firstTable(unsigned char c) {
    for (SubMode t : {kLower, kAlpha, kMixed, kPunct})
        if (inTable(t, c)) return t;
    return kNoTable;
}

}  // namespace

std::optional<PdfCodewordString> CompactText(std::string_view segment, bool allowShift) {
    PdfCodewordString out;
    SubMode mode = kAlpha;
    const size_t len = segment.size();
    for (size_t i = 0; i < len; ++i) {
        const unsigned char ch = segment[i];
        SubMode target = firstTable(ch);
        if (target == kNoTable) {
            if (!allowShift) return std::nullopt;
            if (out.size() % 2) {
                out.push_back(29);  // pad; a latch to Alpha in Punctuation
                if (mode == kPunct) mode = kAlpha;
            }
            out.push_back(kPdfByteShift / 30);
            out.push_back(kPdfByteShift % 30);
            out.push_back(0);
            out.push_back(ch);
            continue;
        }
        const int v = valueIn(target, ch);
        if (ch == ' ' && mode != kPunct) target = mode;
        if ((mode == kMixed || mode == kPunct) && sharedMixedPunct(ch)) target = mode;

        // Look-ahead: the next two characters, when both exist.
        bool haveNext2 = i + 2 < len;
        auto nextTwoIn = [&](SubMode t) {
            return haveNext2 && inTable(t, segment[i + 1]) && inTable(t, segment[i + 2]);
        };
        auto emit = [&](std::initializer_list<int> values) { out.insert(out.end(), values); };

        if (target == mode) {
            emit({v});
            continue;
        }
        switch (mode) {
        case kAlpha:
            if (target == kLower) emit({27, v}), mode = kLower;
            else if (target == kMixed) emit({28, v}), mode = kMixed;
            else if (nextTwoIn(kPunct)) emit({28, 25, v}), mode = kPunct;
            else emit({29, v});
            break;
        case kLower:
            if (target == kAlpha) {
                if (nextTwoIn(kAlpha)) emit({28, 28, v}), mode = kAlpha;
                else emit({27, v});
            } else if (target == kMixed) {
                emit({28, v}), mode = kMixed;
            } else if (nextTwoIn(kPunct)) {
                emit({28, 25, v}), mode = kPunct;
            } else {
                emit({29, v});
            }
            break;
        case kMixed:
            if (target == kAlpha) emit({28, v}), mode = kAlpha;
            else if (target == kLower) emit({27, v}), mode = kLower;
            else if (nextTwoIn(kPunct)) emit({25, v}), mode = kPunct;
            else emit({29, v});
            break;
        case kPunct:
            if (target == kAlpha) emit({29, v}), mode = kAlpha;
            else if (target == kLower) emit({29, 27, v}), mode = kLower;
            else emit({29, 28, v}), mode = kMixed;
            break;
        case kNoTable:
            break;
        }
    }
    if (out.size() % 2) out.push_back(29);
    return out;
}

std::vector<int> PdfCodewordsFromString(const PdfCodewordString& pairs) {
    std::vector<int> cw;
    cw.reserve(pairs.size() / 2);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) cw.push_back(30 * pairs[i] + pairs[i + 1]);
    return cw;
}

}  // namespace quillet
