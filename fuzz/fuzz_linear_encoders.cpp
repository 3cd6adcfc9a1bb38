// Any message and supplement through the UPC/EAN, Code 128, GS1-128,
// POSTNET and BPO 4 State encoders: no crash, and every accepted message
// gives a well-formed pattern.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/encode/linear_job.h"
#include "app/encode/pattern_tables.h"

using namespace quillet;

namespace {

constexpr int kSymbologies[] = {3, 4, 5, 6, 7, 8, 13, 14, 24, 25};

bool onlyOf(const std::string& s, std::string_view alphabet) {
    return s.find_first_not_of(alphabet) == std::string::npos;
}

// Width of a UPC/EAN or Code 128 pattern in 1/13 modules.
long thirteenths(const std::string& p) {
    static const std::string_view chars = "3567CDEF189AGHIJB";
    static const int widths[] = {13, 26, 39, 52, 12, 25, 27, 40, 13, 26, 39, 52, 12, 25, 27, 40, 117};
    long total = 0;
    for (char c : p) total += widths[chars.find(c)];
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    SymbolSettings s;
    s.symbology = kSymbologies[data[0] % std::size(kSymbologies)];
    s.messageWarnings = data[1] & 1;
    s.disableAutoCheckDigit = data[1] & 2;
    s.optionalCheckDigit = data[1] & 4;
    std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    size_t bar = rest.find('|');
    std::string message = rest.substr(0, bar);
    s.supplement = bar == std::string::npos ? "" : rest.substr(bar + 1);

    PatternTables t;
    buildPatternTables(t, s.symbology);
    LinearJob job{t, s, message, s.supplement, {}, {}, 0, false, {}};
    encodeLinearJob(job);
    if (job.error != 0) return 0;

    const std::string& p = job.pattern;
    bool ok = true;
    if (s.symbology <= 8) {
        ok = onlyOf(p, "35671389ABCDEFGHIJ") && p.front() == 'B' && p.back() == 'B' && thirteenths(p) % 13 == 0;
    } else if (s.symbology <= 14) {
        // Start, data, check: 11 modules each; the stop 13.
        ok = onlyOf(p, "35671389A") && p.size() >= 19 && (p.size() - 7) % 6 == 0 &&
             thirteenths(p) == 13 * (11 * long((p.size() - 7) / 6) + 13);
    } else if (s.symbology == 24) {
        ok = onlyOf(p, "34") && (p.size() - 2) % 5 == 0;
    } else {
        ok = onlyOf(p, "WXYZ") && (p.size() - 2) % 4 == 0 && job.message.size() >= 5 && job.message.size() <= 12;
    }
    if (!ok) __builtin_trap();
    return 0;
}
