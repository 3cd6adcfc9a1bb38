// Codabar: start and stop characters A-D are part of the message.
#include <array>
#include <cctype>
#include <string_view>

#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"

namespace quillet {

namespace {
// Published Codabar patterns: 7 elements bar/space alternating, 1 = wide.
struct CodabarChar {
    char c;
    std::string_view wide;
};
constexpr std::array<CodabarChar, 20> kCodabar{{
    {'0', "0000011"}, {'1', "0000110"}, {'2', "0001001"}, {'3', "1100000"}, {'4', "0010010"},
    {'5', "1000010"}, {'6', "0100001"}, {'7', "0100100"}, {'8', "0110000"}, {'9', "1001000"},
    {'-', "0001100"}, {'$', "0011000"}, {':', "1000101"}, {'/', "1010001"}, {'.', "1010100"},
    {'+', "0010101"}, {'A', "0011010"}, {'B', "0101001"}, {'C', "0001011"}, {'D', "0001110"},
}};
constexpr std::string_view kValid = "0123456789ABCD-$:/.+";
constexpr std::string_view kStartStop = "ABCD";
}  // namespace

void fillCodabarTable(PatternTables& t) {
    for (const auto& e : kCodabar) {
        std::string p;
        for (size_t i = 0; i < e.wide.size(); ++i) {
            bool bar = i % 2 == 0, wide = e.wide[i] == '1';
            p += bar ? (wide ? '4' : '3') : (wide ? '2' : '1');
        }
        t.main[static_cast<unsigned char>(e.c)] = p + '1';
    }
}

void encodeCodabar(LinearJob& job) {
    std::string& msg = job.message;
    for (char& c : msg) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (job.settings.optionalCheckDigit && !msg.empty())
        msg.insert(msg.size() - 1, 1, codabarCheckChar(msg));

    std::string pattern;
    for (size_t i = 0; i < msg.size(); ++i) {
        char c = msg[i];
        if (kValid.find(c) == std::string_view::npos) { job.error = 5; return; }
        bool edge = i == 0 || i + 1 == msg.size();
        bool startStop = kStartStop.find(c) != std::string_view::npos;
        if (edge != startStop) { job.error = 6; return; }
        pattern += job.tables.main[static_cast<unsigned char>(c)];
    }
    // A one-character message cannot both start and stop.
    if (msg.size() < 2) { job.error = 6; return; }
    job.pattern = pattern;
}

}  // namespace quillet
