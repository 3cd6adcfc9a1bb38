#include "app/render/linear_layout.h"

#include "app/model/bar_pattern.h"
#include "app/model/settings.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

struct ElementWidth {
    int drawn = 0, advance = 0;
    bool bar = false;
};

ElementWidth elementWidth(char c, int X, int WD) {
    auto r = [&](int thirteenths) { return roundEven(double(thirteenths) * X / 13.0); };
    switch (c) {
    case '3': return {X, X, true};
    case '1': return {0, X, false};
    case '4': return {WD, WD, true};
    case '2': return {0, WD, false};
    case '5': return {2 * X, 2 * X, true};
    case '8': return {0, 2 * X, false};
    case '6': return {3 * X, 3 * X, true};
    case '9': return {0, 3 * X, false};
    case '7': return {4 * X, 4 * X, true};
    case 'A': return {0, 4 * X, false};
    case 'B': return {0, 9 * X, false};
    case 'C': return {X - roundEven(X / 13.0), r(12), true};
    case 'G': return {0, r(12), false};
    case 'D': return {r(25), r(25), true};
    case 'H': return {0, r(25), false};
    case 'E': return {r(27), r(27), true};
    case 'I': return {0, r(27), false};
    case 'F': return {r(40), r(40), true};
    case 'J': return {0, r(40), false};
    default: return {};
    }
}

// The widths of the element characters '1' to 'J', each worked out the
// first time a layout meets it: a pattern's characters follow no order a
// branch predictor could learn, so a switch per element costs more than
// the rest of the element's work.
class ElementTable {
public:
    ElementTable(int X, int WD) : X_(X), WD_(WD) {}

    ElementWidth widthOf(char c) {
        if (c < kFirst || c > kLast) return elementWidth(c, X_, WD_);
        const int i = c - kFirst;
        if (!(known_ & (1u << i))) {
            widths_[i] = elementWidth(c, X_, WD_);
            known_ |= 1u << i;
        }
        return widths_[i];
    }

private:
    static constexpr char kFirst = '1', kLast = 'J';
    int X_, WD_;
    uint32_t known_ = 0;
    ElementWidth widths_[kLast - kFirst + 1];
};

// Top and bottom of a UPC/EAN bar whose right end is at module m; the data
// bars are shortened for the digits and the add-on bars lowered under theirs.
void upcEanBar(int code, int q, int m, int H, int TH, int& top, int& bottom) {
    const int h93 = roundEven(0.93 * H);
    top = 0;
    bottom = -H;
    using enum Symbology;
    const Symbology sym = Symbology(code);
    const bool ean13 = sym == Ean13 || sym == BookLand, upcA = sym == UpcA, ean8 = sym == Ean8;
    const bool upcE = sym == UpcE || sym == UpcE1;
    if (ean13 && ((q + 12 < m && m < q + 55) || (q + 58 < m && m < q + 102))) { bottom = -h93; return; }
    // UPC-A's last digit (modules 95-101) keeps the full height like the
    // first, whichever element its pattern begins with.
    if (upcA && ((q + 19 < m && m < q + 55) || (q + 58 < m && m < q + 95))) { bottom = -h93; return; }
    if (ean8 && ((q + 12 < m && m < q + 41) || (q + 44 < m && m < q + 74))) { bottom = -h93; return; }
    if (upcA && m > q + 107) { top = -TH; bottom = -h93; return; }
    if (ean13 && m > q + 107) { top = -TH; bottom = -H; return; }
    if (ean8 && m > q + 79) { top = -TH; bottom = -H; return; }
    // UPC-E data ends at module 54: the end guard's first bar (ending at 56)
    // keeps the full height like every guard bar.
    if (upcE && m <= q + 61 && q + 13 < m && m < q + 56) { bottom = -h93; return; }
    if (upcE && m > q + 61) { top = -TH; bottom = -h93; return; }
}

// A character centred in cell i of a text band: the cell's left edge plus
// half the cell width rounded, the sum rounded once more to a coordinate.
int cellCentre(double bandLeft, double cellWidth, int i) {
    return roundEven(bandLeft + i * cellWidth + roundEven(cellWidth / 2));
}

}  // namespace

LinearLayout layoutLinear(const SymbolSettings& s, const LinearLayoutInput& in) {
    LinearLayout L;
    const int code = in.symbology;
    const Symbology sym = Symbology(code);
    // Postal symbols have no text, comment, quiet zones or width reduction.
    const bool postal = isPostal(code);
    const int X = in.X;
    int H = in.H;
    L.WD = roundEven(double(s.ratio * float(X)));

    // Quiet zones: 10 modules, 13 where the vertical bearers stand inside them.
    if (!postal && s.quietZones) L.q = (s.bearerBars && !isUpcEan(code)) ? 13 : 10;
    L.drawn.reserve(in.pattern.size() + 2 * size_t(L.q));
    L.drawn.append(size_t(L.q), '1').append(in.pattern).append(size_t(L.q), '1');
    const int q = L.q;

    if (postal) {
        L.W = 120 * int(L.drawn.size());
        H = sym == Symbology::Postnet ? 317 : 507;
    } else {
        long long w = 0;
        for (char c : L.drawn) w += (c == '2' || c == '4') ? L.WD : (long long)moduleCount(c) * X;
        L.W = w > 1000000 ? 1000000 : int(w);
        if (isUpcEan(code)) {
            int sLen = int(in.addOnDigits.size());
            if (sym == Symbology::UpcA || sym == Symbology::Ean13 || sym == Symbology::BookLand) {
                L.C = (q + 56.5) * X;
                L.S = (sLen * 9 / 2.0 + q + 115) * X;
            } else if (sym == Symbology::Ean8) {
                L.C = (q + 42.5) * X;
                L.S = (sLen * 9 / 2.0 + q + 87) * X;
            } else {
                L.C = (q + 34.5) * X;
                L.S = (sLen * 9 / 2.0 + q + 72) * X;
            }
        }
    }
    L.H = H;
    if (L.W > 32764) {
        L.widthExceeded = true;
        return L;
    }

    // Heights: the font factor is 35.15 units a point.
    L.F = s.autoFontScaling ? H / 6 : roundEven(s.fontSize * 35.15);
    L.TH = (!postal && s.includeText) ? L.F : 0;
    L.CH = (!postal && in.hasComment) ? L.F : 0;
    L.T = H + L.TH + L.CH;
    L.A = s.commentAbove ? L.CH : 0;
    if (L.T > 32767 || L.T < 0) {
        L.heightExceeded = true;
        return L;
    }

    const int TH = L.TH, A = L.A;
    const bool shortenUpc = isUpcEan(code) && s.includeText && !s.textAbove;
    const int step = reductionStep(s);
    const int r = (!postal && step != 0) ? roundEven(double(X) * step * 5 / 100.0) : 0;
    ElementTable elements(X, L.WD);
    int x = 0, m = 0;
    bool firstBar = true;
    L.bars.reserve(L.drawn.size());  // a bar per element at most
    for (char c : L.drawn) {
        Rect bar{};
        int advance = 0;
        bool isBar = false;
        if (sym == Symbology::Postnet) {
            bar = {x, c == '3' ? -190 : 0, x + 50, -H};
            isBar = true;
            advance = 120;
        } else if (sym == Symbology::Bpo4State) {
            advance = 120;
            isBar = true;
            switch (c) {
            case 'W': bar = {x, -190, x + 50, -327}; break;
            case 'X': bar = {x, 0, x + 50, -317}; break;
            case 'Y': bar = {x, -190, x + 50, -507}; break;
            case 'Z': bar = {x, 0, x + 50, -507}; break;
            default: isBar = false; break;
            }
        } else {
            const ElementWidth e = elements.widthOf(c);
            m += moduleCount(c);
            advance = e.advance;
            isBar = e.bar;
            if (isBar) {
                int top = 0, bottom = -H;
                if (shortenUpc) upcEanBar(code, q, m, H, TH, top, bottom);
                bar = {x, top, x + e.drawn, bottom};
            }
        }
        if (isBar) {
            if (firstBar) L.firstBarLeft = bar.left;
            firstBar = false;
            L.lastBarRight = bar.right;
            if (!postal && r != 0) bar.right += gainOn(s) ? r : -r;
            if (s.includeText && s.textAbove && !postal) { bar.top -= TH; bar.bottom -= TH; }
            if (A > 0) { bar.top -= A; bar.bottom -= A; }
            L.bars.push_back(bar);
        }
        x += advance;
    }

    // Bearer bars: top and bottom, and the sides when there are quiet zones.
    if (s.bearerBars && !isUpcEan(code) && !postal) {
        const int b = 3 * X;
        const int Lx = s.quietZones ? 0 : L.firstBarLeft;
        const int Rx = s.quietZones ? L.W : L.lastBarRight;
        const int o = (s.textAbove && s.includeText ? TH : 0) + A;
        L.bearers.push_back({Lx, -o, Rx, -(o + b)});
        L.bearers.push_back({Lx, -(H + o) + b, Rx, -(H + o)});
        if (s.quietZones) {
            L.bearers.push_back({0, -o, b, -(H + o)});
            L.bearers.push_back({L.W - b, -o, L.W, -(H + o)});
        }
    }

    // Human-readable text.
    if (!postal && s.includeText) {
        int D = 0;
        if (isUpcEan(code)) {
            D = roundEven(0.05 * H);
            const int sLen = int(in.addOnDigits.size());
            if (sLen > 0) {
                const int c = roundEven(L.S);
                const int span = L.W - (q + 9) * X - c;
                const double cell = 2.0 * span / sLen;
                for (int i = 0; i < sLen; ++i)
                    L.text.push_back({cellCentre(c - span, cell, i), -A, in.addOnDigits[size_t(i)], false});
            }
        }
        const int n = int(in.text.size());
        if (n > 0) {
            const double E = (isUpcEan(code) && !in.addOnDigits.empty()) ? 2 * L.C : double(L.W);
            const double left = double(q) * X, right = E - double(q) * X;
            const double cell = (right - left) / n;
            const int top = s.textAbove ? -A : D - H - A;
            const bool smallEnds = sym == Symbology::UpcA || sym == Symbology::UpcE || sym == Symbology::UpcE1;
            const int drop = roundEven(0.2 * TH);
            L.text.reserve(L.text.size() + size_t(n));
            for (int i = 0; i < n; ++i) {
                const bool small = smallEnds && (i == 0 || i == n - 1);
                L.text.push_back({cellCentre(left, cell, i), small ? top - drop : top, in.text[size_t(i)], small});
            }
        }
    }
    return L;
}

}  // namespace quillet
