#include "zorvex32/aztec_emit.h"

#include <string>

namespace zorvex {

namespace {

struct BitWriter {
    std::vector<uint8_t>& out;
    void put(int value, int width) {
        for (int i = width - 1; i >= 0; --i) out.push_back(uint8_t((value >> i) & 1));
    }
};

}  // namespace

std::vector<uint8_t> planBits(const Plan& plan, std::string_view message) {
    std::vector<uint8_t> bits;
    bits.reserve(size_t(plan.bits) + 8);
    BitWriter w{bits};
    size_t next = 0;  // next unit to encode
    Mode mode = Upper;

    auto putUnit = [&](Mode m, const Unit& u) {
        UnitCodes c = unitCodes(m, message, u);
        w.put(c.first, codeBits(m));
        if (c.second >= 0) w.put(c.second, codeBits(m));
    };
    for (const Action& a : plan.actions) {
        switch (a.kind) {
            case Action::Route: {
                Mode at = a.from;
                for (Mode step : routeSteps(a.from, a.to)) {
                    w.put(latchCode(at, step), codeBits(at));
                    at = step;
                }
                mode = a.to;
                break;
            }
            case Action::Shift:
                // P/S is 0 in every mode that has it; U/S is 28 in Lower, 15 in Digit.
                w.put(a.to == Punct ? 0 : a.from == Digit ? 15 : 28, codeBits(a.from));
                putUnit(a.to, plan.units[next++]);
                break;
            case Action::Run:
                for (int done = 0; done < a.count && next < plan.units.size();) {
                    const Unit& u = plan.units[next++];
                    putUnit(mode, u);
                    done += unitWeight(mode, u);
                }
                break;
            case Action::BinaryRun: {
                if (a.count <= 31) {
                    w.put(a.count, 5);
                } else {
                    w.put(0, 5);
                    w.put(a.count - 31, 11);
                }
                for (int done = 0; done < a.count && next < plan.units.size();) {
                    const Unit& u = plan.units[next++];
                    for (int i = 0; i < u.len; ++i) w.put(uint8_t(message[u.pos + i]), 8);
                    done += u.len;
                }
                mode = a.to;
                break;
            }
        }
    }
    return bits;
}

std::vector<int> stuffBits(const std::vector<uint8_t>& bits, int wordBits, int* stuffed) {
    std::vector<int> words;
    if (stuffed) *stuffed = 0;
    const int full = (1 << wordBits) - 1;
    int word = 0, filled = 0;
    auto closeIfUniform = [&] {
        if (filled != wordBits - 1) return;
        if (word == 0) {
            words.push_back(1);
        } else if (word == full >> 1) {
            words.push_back(full - 1);
        } else {
            return;
        }
        if (stuffed) ++*stuffed;
        word = filled = 0;
    };
    for (uint8_t bit : bits) {
        word = (word << 1) | bit;
        if (++filled == wordBits) {
            words.push_back(word);
            word = filled = 0;
        } else {
            closeIfUniform();
        }
    }
    if (filled > 0) {
        word = (word << (wordBits - filled)) | ((1 << (wordBits - filled)) - 1);
        if (word == full) word = full - 1;
        words.push_back(word);
    }
    return words;
}

std::vector<uint8_t> eciBits(int eci) {
    const std::string digits = std::to_string(eci);
    std::vector<uint8_t> bits;
    const auto put = [&bits](int value, int width) {
        for (int b = width - 1; b >= 0; --b) bits.push_back(uint8_t((value >> b) & 1));
    };
    put(0, 5);  // P/S
    put(0, 5);  // FLG(n)
    put(int(digits.size()), 3);
    for (char d : digits) put(d - '0' + 2, 4);
    return bits;
}

}  // namespace zorvex
