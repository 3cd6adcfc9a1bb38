#include "app/encode/gs1_ai_table.h"

#include <array>

namespace quillet {

namespace {

// From the GS1 General Specifications' AI table. The AIs whose first two
// digits are 00-04, 11-20, 31-36 or 41 have predefined lengths and never
// need a separator; every other AI does.
constexpr std::array kAis{
    Gs1Ai{"00", "", "N18,csum", false},
    Gs1Ai{"01", "", "N14,csum", false},
    Gs1Ai{"02", "", "N14,csum", false},
    Gs1Ai{"10", "", "X..20", true},
    Gs1Ai{"11", "", "N6,yymmd0", false},
    Gs1Ai{"12", "", "N6,yymmd0", false},
    Gs1Ai{"13", "", "N6,yymmd0", false},
    Gs1Ai{"15", "", "N6,yymmd0", false},
    Gs1Ai{"16", "", "N6,yymmd0", false},
    Gs1Ai{"17", "", "N6,yymmd0", false},
    Gs1Ai{"20", "", "N2", false},
    Gs1Ai{"21", "", "X..20", true},
    Gs1Ai{"22", "", "X..20", true},
    Gs1Ai{"235", "", "X..28", true},
    Gs1Ai{"240", "", "X..30", true},
    Gs1Ai{"241", "", "X..30", true},
    Gs1Ai{"242", "", "N..6", true},
    Gs1Ai{"243", "", "X..20", true},
    Gs1Ai{"250", "", "X..30", true},
    Gs1Ai{"251", "", "X..30", true},
    Gs1Ai{"253", "", "N13,csum+X..17", true},
    Gs1Ai{"254", "", "X..20", true},
    Gs1Ai{"255", "", "N13,csum+N..12", true},
    Gs1Ai{"30", "", "N..8", true},
    // Trade and logistic measures; the last digit places the decimal point.
    Gs1Ai{"310", "012345", "N6", false},
    Gs1Ai{"311", "012345", "N6", false},
    Gs1Ai{"312", "012345", "N6", false},
    Gs1Ai{"313", "012345", "N6", false},
    Gs1Ai{"314", "012345", "N6", false},
    Gs1Ai{"315", "012345", "N6", false},
    Gs1Ai{"316", "012345", "N6", false},
    Gs1Ai{"32", "0123456789", "N6", false},  // 320n-329n: two digits follow
    Gs1Ai{"330", "012345", "N6", false},
    Gs1Ai{"331", "012345", "N6", false},
    Gs1Ai{"332", "012345", "N6", false},
    Gs1Ai{"333", "012345", "N6", false},
    Gs1Ai{"334", "012345", "N6", false},
    Gs1Ai{"335", "012345", "N6", false},
    Gs1Ai{"336", "012345", "N6", false},
    Gs1Ai{"337", "012345", "N6", false},
    Gs1Ai{"34", "0123456789", "N6", false},  // 340n-349n
    Gs1Ai{"350", "012345", "N6", false},
    Gs1Ai{"351", "012345", "N6", false},
    Gs1Ai{"352", "012345", "N6", false},
    Gs1Ai{"353", "012345", "N6", false},
    Gs1Ai{"354", "012345", "N6", false},
    Gs1Ai{"355", "012345", "N6", false},
    Gs1Ai{"356", "012345", "N6", false},
    Gs1Ai{"357", "012345", "N6", false},
    Gs1Ai{"36", "0123456789", "N6", false},  // 360n-369n
    Gs1Ai{"37", "", "N..8", true},
    Gs1Ai{"390", "0123456789", "N..15", true},
    Gs1Ai{"391", "0123456789", "N3+N..15", true},
    Gs1Ai{"392", "0123456789", "N..15", true},
    Gs1Ai{"393", "0123456789", "N3+N..15", true},
    Gs1Ai{"394", "0123", "N4", true},
    Gs1Ai{"395", "012345", "N6", true},
    Gs1Ai{"400", "", "X..30", true},
    Gs1Ai{"401", "", "X..30", true},
    Gs1Ai{"402", "", "N17,csum", true},
    Gs1Ai{"403", "", "X..30", true},
    Gs1Ai{"410", "", "N13,csum", false},
    Gs1Ai{"411", "", "N13,csum", false},
    Gs1Ai{"412", "", "N13,csum", false},
    Gs1Ai{"413", "", "N13,csum", false},
    Gs1Ai{"414", "", "N13,csum", false},
    Gs1Ai{"415", "", "N13,csum", false},
    Gs1Ai{"416", "", "N13,csum", false},
    Gs1Ai{"417", "", "N13,csum", false},
    Gs1Ai{"420", "", "X..20", true},
    Gs1Ai{"421", "", "N3+X..9", true},
    Gs1Ai{"422", "", "N3", true},
    Gs1Ai{"423", "", "N3+N..12", true},
    Gs1Ai{"424", "", "N3", true},
    Gs1Ai{"425", "", "N3+N..12", true},
    Gs1Ai{"426", "", "N3", true},
    Gs1Ai{"427", "", "X..3", true},
    Gs1Ai{"7001", "", "N13", true},
    Gs1Ai{"7002", "", "X..30", true},
    Gs1Ai{"7003", "", "N6,yymmdd+N4", true},
    Gs1Ai{"7004", "", "N..4", true},
    Gs1Ai{"7005", "", "X..12", true},
    Gs1Ai{"7006", "", "N6,yymmdd", true},
    Gs1Ai{"7007", "", "N6,yymmdd+N..6", true},
    Gs1Ai{"7008", "", "X..3", true},
    Gs1Ai{"7009", "", "X..10", true},
    Gs1Ai{"7010", "", "X..2", true},
    Gs1Ai{"7020", "", "X..20", true},
    Gs1Ai{"7021", "", "X..20", true},
    Gs1Ai{"7022", "", "X..20", true},
    Gs1Ai{"7023", "", "X..30", true},
    Gs1Ai{"703", "0123456789", "N3+X..27", true},
    Gs1Ai{"710", "", "X..20", true},
    Gs1Ai{"711", "", "X..20", true},
    Gs1Ai{"712", "", "X..20", true},
    Gs1Ai{"713", "", "X..20", true},
    Gs1Ai{"714", "", "X..20", true},
    Gs1Ai{"715", "", "X..20", true},
    Gs1Ai{"8001", "", "N14", true},
    Gs1Ai{"8002", "", "X..20", true},
    Gs1Ai{"8003", "", "N14,csum+X..16", true},
    Gs1Ai{"8004", "", "X..30", true},
    Gs1Ai{"8005", "", "N6", true},
    Gs1Ai{"8006", "", "N14,csum+N4", true},
    Gs1Ai{"8007", "", "X..34", true},
    Gs1Ai{"8008", "", "N8+N..4", true},
    Gs1Ai{"8010", "", "X..30", true},
    Gs1Ai{"8011", "", "N..12", true},
    Gs1Ai{"8012", "", "X..20", true},
    Gs1Ai{"8013", "", "X..25", true},
    Gs1Ai{"8017", "", "N18,csum", true},
    Gs1Ai{"8018", "", "N18,csum", true},
    Gs1Ai{"8019", "", "N..10", true},
    Gs1Ai{"8020", "", "X..25", true},
    Gs1Ai{"8026", "", "N14,csum+N4", true},
    Gs1Ai{"8110", "", "X..70", true},
    Gs1Ai{"8111", "", "N4", true},
    Gs1Ai{"8112", "", "X..70", true},
    Gs1Ai{"8200", "", "X..70", true},
    Gs1Ai{"90", "", "X..30", true},
    Gs1Ai{"91", "", "X..90", true},
    Gs1Ai{"92", "", "X..90", true},
    Gs1Ai{"93", "", "X..90", true},
    Gs1Ai{"94", "", "X..90", true},
    Gs1Ai{"95", "", "X..90", true},
    Gs1Ai{"96", "", "X..90", true},
    Gs1Ai{"97", "", "X..90", true},
    Gs1Ai{"98", "", "X..90", true},
    Gs1Ai{"99", "", "X..90", true},
};

// The 32nn, 34nn and 36nn blocks take two digits after their prefix.
bool matches(const Gs1Ai& e, std::string_view ai) {
    const size_t extra = e.lastDigits.empty() ? 0 : (e.ai.size() == 2 ? 2 : 1);
    if (ai.size() != e.ai.size() + extra || ai.substr(0, e.ai.size()) != e.ai) return false;
    for (size_t i = e.ai.size(); i < ai.size(); ++i)
        if (e.lastDigits.find(ai[i]) == std::string_view::npos) return false;
    // Of the two digits, only the last places a decimal point: 0-5.
    return extra != 2 || ai.back() <= '5';
}

}  // namespace

const Gs1Ai* findGs1Ai(std::string_view ai) {
    for (const Gs1Ai& e : kAis)
        if (matches(e, ai)) return &e;
    return nullptr;
}

}  // namespace quillet
