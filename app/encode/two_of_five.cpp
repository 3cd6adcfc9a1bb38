// Interleaved 2 of 5 and Discrete 2 of 5.
#include <array>
#include <cctype>
#include <string_view>

#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"

namespace quillet {

namespace {
constexpr std::array<std::string_view, 10> kDigitWidths{"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                                        "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
bool allDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}
}  // namespace

void fillInterleaved2of5Table(PatternTables& t) {
    for (int v = 0; v < 100; ++v) {
        std::string_view a = kDigitWidths[size_t(v / 10)], b = kDigitWidths[size_t(v % 10)];
        std::string p;
        for (size_t k = 0; k < 5; ++k) {
            p += a[k] == 'W' ? '4' : '3';
            p += b[k] == 'W' ? '2' : '1';
        }
        t.main[size_t(v)] = p;
    }
    t.start = "3131";
    t.stop = "413";
}

void fillDiscrete2of5Table(PatternTables& t) {
    for (int d = 0; d < 10; ++d) {
        std::string p;
        for (char w : kDigitWidths[size_t(d)]) {
            p += w == 'W' ? '4' : '3';
            p += '1';
        }
        t.main[size_t('0' + d)] = p;
    }
    t.start = "414131";
    t.stop = "413141";
}

void encodeInterleaved2of5(LinearJob& job) {
    std::string& msg = job.message;
    if (!allDigits(msg)) { job.error = 4; return; }
    if (job.settings.optionalCheckDigit) {
        if (msg.size() % 2 == 0) msg.insert(0, 1, '0');
        msg += char('0' + mod10LeftWeighted(msg));
    } else if (msg.size() % 2 == 1) {
        msg.insert(0, 1, '0');
    }
    std::string pattern = job.tables.start;
    for (size_t i = 0; i + 1 < msg.size(); i += 2)
        pattern += job.tables.main[size_t((msg[i] - '0') * 10 + (msg[i + 1] - '0'))];
    job.pattern = pattern + job.tables.stop;
}

void encodeDiscrete2of5(LinearJob& job) {
    std::string& msg = job.message;
    for (char& c : msg) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (!allDigits(msg)) { job.error = 16; return; }
    std::string pattern = job.tables.start;
    for (char c : msg) pattern += job.tables.main[static_cast<unsigned char>(c)];
    job.pattern = pattern + job.tables.stop;
}

}  // namespace quillet
