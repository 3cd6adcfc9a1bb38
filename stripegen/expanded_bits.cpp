#include "stripegen/expanded_bits.h"

#include "stripegen/cc_bits.h"

namespace stripegen {

namespace {

void put(std::string& bits, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) bits.push_back(((value >> i) & 1u) ? '1' : '0');
}

bool digits(const std::string& s, size_t from, size_t count) {
    if (s.size() < from + count) return false;
    for (size_t i = from; i < from + count; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

unsigned number(const std::string& s, size_t from, size_t count) {
    unsigned v = 0;
    for (size_t i = from; i < from + count; ++i) v = v * 10 + unsigned(s[i] - '0');
    return v;
}

bool isFnc1(char c) { return (unsigned char)c == kFnc1Byte || (unsigned char)c == kGroupSeparator; }

// Digits 2-13 of the GTIN (after its first digit, without its check digit)
// in four groups of three, 10 bits each.
void putGtinBody(std::string& bits, const std::string& m) {
    for (size_t g = 0; g < 4; ++g) put(bits, number(m, 3 + 3 * g, 3), 10);
}

// A date YYMMDD in 16 bits, or none when it is no date.
bool putDate(std::string& bits, const std::string& m, size_t at) {
    unsigned yy = number(m, at, 2), mm = number(m, at + 2, 2), dd = number(m, at + 4, 2);
    if (mm < 1 || mm > 12 || dd > 31) return false;
    put(bits, yy * 384 + (mm - 1) * 32 + dd, 16);
    return true;
}

struct Plan {
    std::string method;
    std::string fixed;     // bits after the linkage flag, the method and the variable length field
    bool general = false;  // a general-purpose field follows, and with it the variable length field
    std::string rest;      // data for the general-purpose field
};

// The compressed methods for a GTIN with indicator digit 9 followed by one
// weight (310x, 320x) with an optional date, or by a price (392x, 393x).
bool variableMeasure(const std::string& m, Plan& plan) {
    if (m[2] != '9' || !digits(m, 16, 4)) return false;
    const std::string ai = m.substr(16, 4);
    const std::string after = m.substr(20);
    std::string gtin;
    putGtinBody(gtin, m);
    if ((ai.compare(0, 3, "310") == 0 || ai.compare(0, 3, "320") == 0) && digits(m, 20, 6)) {
        const unsigned weight = number(m, 20, 6);
        const bool kg = ai[1] == '1';
        if (after.size() == 6) {
            if (ai == "3103" && weight <= 32767) {
                plan = {"0100", gtin, false, {}};
                put(plan.fixed, weight, 15);
                return true;
            }
            if ((ai == "3202" && weight <= 9999) || (ai == "3203" && weight <= 22767)) {
                plan = {"0101", gtin, false, {}};
                put(plan.fixed, ai == "3203" ? weight + 10000 : weight, 15);
                return true;
            }
        }
        // Weight with its decimal point, then a date or 38400 for none.
        const char* const dateAis[] = {"11", "13", "15", "17"};
        int dateIndex = -1;
        if (after.size() == 14 && digits(after, 8, 6))
            for (int d = 0; d < 4; ++d)
                if (after.compare(6, 2, dateAis[d]) == 0) dateIndex = d;
        if (weight > 99999 || (after.size() != 6 && dateIndex < 0)) return false;
        std::string fixed = gtin;
        put(fixed, unsigned(ai[3] - '0') * 100000 + weight, 20);
        if (dateIndex >= 0) {
            if (!putDate(fixed, after, 8)) return false;
        } else {
            put(fixed, 38400, 16);
        }
        std::string method = "0111";
        put(method, unsigned(2 * (dateIndex < 0 ? 0 : dateIndex) + (kg ? 0 : 1)), 3);
        plan = {method, fixed, false, {}};
        return true;
    }
    if (ai.compare(0, 3, "392") == 0 && ai[3] <= '3' && !after.empty()) {
        plan = {"01100", gtin, true, after};
        put(plan.fixed, unsigned(ai[3] - '0'), 2);
        return true;
    }
    if (ai.compare(0, 3, "393") == 0 && ai[3] <= '3' && digits(after, 0, 3) && after.size() > 3) {
        plan = {"01101", gtin, true, after.substr(3)};
        put(plan.fixed, unsigned(ai[3] - '0'), 2);
        put(plan.fixed, number(after, 0, 3), 10);
        return true;
    }
    return false;
}

Plan choosePlan(const std::string& m) {
    Plan plan;
    if (m.compare(0, 2, "01") == 0 && digits(m, 2, 14) && (m.size() == 16 || !isFnc1(m[16]))) {
        if (m.size() > 16 && variableMeasure(m, plan)) return plan;
        plan.method = "1";
        put(plan.fixed, unsigned(m[2] - '0'), 4);
        putGtinBody(plan.fixed, m);
        plan.general = true;
        plan.rest = m.substr(16);
        return plan;
    }
    plan.method = "00";
    plan.general = true;
    plan.rest = m;
    return plan;
}

}  // namespace

ExpandedBits encodeExpandedBits(const std::string& message, bool linked, int segmentsPerRow) {
    ExpandedBits out;
    Plan plan = choosePlan(message);
    out.method = plan.method;
    std::string leading = linked ? "1" : "0";
    leading += plan.method;
    const size_t variableLength = leading.size();
    if (plan.general) leading += "00";  // the variable length field, set once the size is known
    leading += plan.fixed;
    GpBits gp = plan.general ? compactGeneralPurpose(plan.rest, leading) : GpBits{true, leading, false, 0, false};
    if (!gp.ok) return out;
    for (int data = kExpandedMinData; data <= kExpandedMaxData; ++data) {
        const int n = data + 1;  // symbol characters: the segments
        if (n > segmentsPerRow && n % segmentsPerRow == 1) continue;
        std::string bits = finishBits(gp, 12 * data);
        if (bits.empty()) continue;
        if (plan.general) {
            // Whether the symbol's character count (check character included)
            // is odd, and whether it exceeds 14.
            bits[variableLength] = n % 2 == 1 ? '1' : '0';
            bits[variableLength + 1] = n > 14 ? '1' : '0';
        }
        out.bits = bits;
        out.ok = true;
        return out;
    }
    return out;
}

}  // namespace stripegen
