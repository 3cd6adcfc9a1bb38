#include "stripegen/cc_date_lot.h"

namespace stripegen {

namespace {

bool digitsAt(const std::string& s, size_t from, size_t count) {
    if (s.size() < from + count) return false;
    for (size_t i = from; i < from + count; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

int number(const std::string& s, size_t from, size_t count) {
    int v = 0;
    for (size_t i = from; i < from + count; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

void put(std::string& bits, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) bits.push_back(((value >> i) & 1u) ? '1' : '0');
}

}  // namespace

GpBits compactComposite(const std::string& m) {
    const bool dated = (m.compare(0, 2, "11") == 0 || m.compare(0, 2, "17") == 0) && digitsAt(m, 2, 6);
    if (dated) {
        int yy = number(m, 2, 2), mm = number(m, 4, 2), dd = number(m, 6, 2);
        if (mm >= 1 && mm <= 12 && dd <= 31) {
            std::string leading = "10";
            put(leading, unsigned(yy * 384 + (mm - 1) * 32 + dd), 16);
            leading.push_back(m[1] == '7' ? '1' : '0');
            // A lot number straight after the date is held without its AI;
            // anything else is set off from the date by FNC1.
            std::string rest = m.substr(8);
            rest = rest.compare(0, 2, "10") == 0 ? rest.substr(2) : std::string(1, char(kGroupSeparator)) + rest;
            return compactGeneralPurpose(rest, leading);
        }
    }
    if (m.compare(0, 2, "10") == 0) return compactGeneralPurpose(m.substr(2), "1011");
    return compactGeneralPurpose(m);
}

}  // namespace stripegen
