// Code 93 with its two check characters C and K.
#include <array>
#include <string_view>

#include "app/encode/full_ascii.h"
#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"

namespace quillet {

namespace {

// Published Code 93 element widths (bar, space, bar, space, bar, space) of
// the values 0..46: 0-9, A-Z, - . space $ / + %, then the shifts ($) (%) (/) (+).
constexpr std::array<std::string_view, 47> kCode93Widths{
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};

std::string modulePattern(int value) {
    static constexpr char kBar[] = {'3', '5', '6', '7'}, kSpace[] = {'1', '8', '9', 'A'};
    std::string p;
    std::string_view w = kCode93Widths[size_t(value)];
    for (size_t i = 0; i < w.size(); ++i) p += (i % 2 == 0 ? kBar : kSpace)[w[i] - '1'];
    return p;
}

}  // namespace

void fillCode93Table(PatternTables& t) {
    for (int c = 0; c < 128; ++c) {
        std::string p;
        for (char s : fullAsciiSubstitute(static_cast<unsigned char>(c), true))
            p += modulePattern(code93Value(static_cast<unsigned char>(s)));
        t.main[size_t(c)] = p;
    }
    for (int v = 43; v <= 46; ++v) t.main[size_t(131 + v - 43)] = modulePattern(v);
    t.start = "313171";
    t.stop = "3131713";
}

void encodeCode93(LinearJob& job) {
    const std::string typed = job.message;
    std::string expanded;
    for (char ch : typed) {
        auto c = static_cast<unsigned char>(ch);
        if (c > 127) { job.error = 9; return; }
        expanded += fullAsciiSubstitute(c, true);
    }
    std::string withChecks = expanded;
    job.checkText = code93AppendChecks(withChecks);

    std::string pattern = job.tables.start;
    for (char ch : typed) pattern += job.tables.main[static_cast<unsigned char>(ch)];
    // C and K are characters of the value set, the shifts included.
    for (size_t i = withChecks.size() - 2; i < withChecks.size(); ++i)
        pattern += modulePattern(code93Value(static_cast<unsigned char>(withChecks[i])));
    pattern += job.tables.stop;
    job.pattern = pattern;
    job.message = " " + typed + " ";
}

}  // namespace quillet
