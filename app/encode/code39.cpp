// Code 39, normal and Full ASCII.
#include <array>
#include <cctype>
#include <string_view>

#include "app/encode/full_ascii.h"
#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// Published Code 39 patterns, 9 elements bar/space alternating, W = wide.
struct Code39Char {
    char c;
    std::string_view widths;
};
constexpr std::array<Code39Char, 44> kCode39{{
    {'0', "NNNWWNWNN"}, {'1', "WNNWNNNNW"}, {'2', "NNWWNNNNW"}, {'3', "WNWWNNNNN"}, {'4', "NNNWWNNNW"},
    {'5', "WNNWWNNNN"}, {'6', "NNWWWNNNN"}, {'7', "NNNWNNWNW"}, {'8', "WNNWNNWNN"}, {'9', "NNWWNNWNN"},
    {'A', "WNNNNWNNW"}, {'B', "NNWNNWNNW"}, {'C', "WNWNNWNNN"}, {'D', "NNNNWWNNW"}, {'E', "WNNNWWNNN"},
    {'F', "NNWNWWNNN"}, {'G', "NNNNNWWNW"}, {'H', "WNNNNWWNN"}, {'I', "NNWNNWWNN"}, {'J', "NNNNWWWNN"},
    {'K', "WNNNNNNWW"}, {'L', "NNWNNNNWW"}, {'M', "WNWNNNNWN"}, {'N', "NNNNWNNWW"}, {'O', "WNNNWNNWN"},
    {'P', "NNWNWNNWN"}, {'Q', "NNNNNNWWW"}, {'R', "WNNNNNWWN"}, {'S', "NNWNNNWWN"}, {'T', "NNNNWNWWN"},
    {'U', "WWNNNNNNW"}, {'V', "NWWNNNNNW"}, {'W', "WWWNNNNNN"}, {'X', "NWNNWNNNW"}, {'Y', "WWNNWNNNN"},
    {'Z', "NWWNWNNNN"}, {'-', "NWNNNNWNW"}, {'.', "WWNNNNWNN"}, {' ', "NWWNNNWNN"}, {'*', "NWNNWNWNN"},
    {'$', "NWNWNWNNN"}, {'/', "NWNWNNNWN"}, {'+', "NWNNNWNWN"}, {'%', "NNNWNWNWN"},
}};

// The native pattern of a Code 39 character, with its inter-character gap.
std::string nativePattern(char c) {
    for (const auto& e : kCode39) {
        if (e.c != c) continue;
        std::string p;
        for (size_t i = 0; i < e.widths.size(); ++i) {
            bool bar = i % 2 == 0, wide = e.widths[i] == 'W';
            p += bar ? (wide ? '4' : '3') : (wide ? '2' : '1');
        }
        return p + '1';
    }
    return {};
}

}  // namespace

void fillCode39Table(PatternTables& t) {
    for (int c = 0; c < 128; ++c) {
        std::string sub = fullAsciiSubstitute(static_cast<unsigned char>(c), false);
        std::string p;
        for (char s : sub) p += nativePattern(s);
        t.main[size_t(c)] = p;
    }
    t.main[128] = nativePattern('*');
    t.start = t.stop = t.main[128];
}

void encodeCode39(LinearJob& job) {
    const bool full = Symbology(job.settings.symbology) == Symbology::Code39FullAscii;
    std::string& msg = job.message;
    if (!full)
        for (char& c : msg) c = char(std::toupper(static_cast<unsigned char>(c)));

    static constexpr std::string_view kNormal = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
    std::string pattern = job.tables.main[128];
    std::string encoded;
    for (char ch : msg) {
        auto c = static_cast<unsigned char>(ch);
        if (full) {
            if (c > 127) { job.error = 7; return; }
            std::string sub = fullAsciiSubstitute(c, false);
            encoded += sub;
            pattern += job.tables.main[c];
        } else {
            if (kNormal.find(char(c)) == std::string_view::npos) { job.error = 8; return; }
            encoded += char(c);
            // $ % + / are characters of normal Code 39 and are drawn with
            // their own patterns; a "*" inside the message is written /J.
            bool native = c == '$' || c == '%' || c == '+' || c == '/';
            pattern += native ? nativePattern(char(c)) : job.tables.main[c];
        }
    }
    if (job.settings.optionalCheckDigit) {
        int v = code39CheckValue(encoded);
        char check = code39CharOfValue(v);
        pattern += nativePattern(check);
        job.checkText = std::to_string(v);
        msg = "*" + msg + check + "*";
    }
    pattern += job.tables.main[128];
    job.pattern = pattern;
}

}  // namespace quillet
