// Tables of the height-modulated postal codes: POSTNET (`4` full bar, `3`
// half bar) and BPO 4 State (`W` tracker, `X` ascender, `Y` descender,
// `Z` full bar).
#include <array>
#include <string_view>

#include "app/encode/linear_job.h"
#include "app/encode/postal.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// POSTNET digits, 1 = full bar.
constexpr std::array<std::string_view, 10> kPostnet{
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100"};

// 4-state characters: the four bars' ascenders (the row) and descenders
// (the column) each follow one of six patterns, 1 = extender present.
constexpr std::array<std::string_view, 6> kFourStateHalf{"0011", "0101", "0110", "1001", "1010", "1100"};
constexpr std::string_view kFourStateChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

void fillPostalTables(PatternTables& t, int symbology) {
    if (Symbology(symbology) == Symbology::Postnet) {
        for (int d = 0; d < 10; ++d) {
            std::string p;
            for (char b : kPostnet[size_t(d)]) p += b == '1' ? '4' : '3';
            t.main[size_t('0' + d)] = p;
        }
        t.start = t.stop = "4";
        return;
    }
    for (size_t i = 0; i < kFourStateChars.size(); ++i) {
        std::string_view up = kFourStateHalf[i / 6], down = kFourStateHalf[i % 6];
        std::string p;
        for (size_t b = 0; b < 4; ++b) p += "WYXZ"[(up[b] == '1' ? 2 : 0) + (down[b] == '1' ? 1 : 0)];
        t.main[static_cast<unsigned char>(kFourStateChars[i])] = p;
    }
    t.start = "X";
    t.stop = "Z";
}

void encodePostal(LinearJob& job) {
    if (Symbology(job.settings.symbology) == Symbology::Postnet)
        encodePostnet(job);
    else
        encodeBpo4State(job);
}

}  // namespace quillet
