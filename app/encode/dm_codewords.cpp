#include "app/encode/dm_codewords.h"

namespace quillet {

namespace {

enum : uint8_t {
    kLatchC40 = 230,
    kLatchBase256 = 231,
    kFnc1 = 232,
    kUpperShift = 235,
    kLatchX12 = 238,
    kLatchText = 239,
    kLatchEdifact = 240,
    kUnlatch = 254,
    kPad = 129,
    kDigitPairs = 130,
};
constexpr int kEdifactUnlatch = 31;

// The 255-state randomising of Base 256 codewords and the 253-state one of
// pad codewords; positions count from 1.
uint8_t randomise255(int value, int position) {
    const int v = value + (149 * position) % 255 + 1;
    return uint8_t(v <= 255 ? v : v - 256);
}
uint8_t randomise253(int value, int position) {
    const int v = value + (149 * position) % 253 + 1;
    return uint8_t(v <= 254 ? v : v - 254);
}

struct Writer {
    const DmChars& chars;
    int capacity;
    std::vector<uint8_t> out;

    int left() const { return capacity - int(out.size()); }

    void ascii(int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const uint16_t ch = chars[size_t(i)];
            if (dmIsDigit(ch) && i + 1 < end && dmIsDigit(chars[size_t(i) + 1])) {
                out.push_back(uint8_t(kDigitPairs + 10 * (ch - '0') + (chars[size_t(i) + 1] - '0')));
                ++i;
            } else if (ch == kDmFnc1) {
                out.push_back(kFnc1);
            } else if (ch >= 128) {
                out.push_back(kUpperShift);
                out.push_back(uint8_t(ch - 127));
            } else {
                out.push_back(uint8_t(ch + 1));
            }
        }
    }

    // C40, Text or X12 values three to a codeword pair; two left over at
    // the end are completed by a Shift 1.
    void triplets(std::vector<uint8_t>& values) {
        if (values.size() % 3 == 2) values.push_back(0);
        for (size_t i = 0; i + 2 < values.size(); i += 3) {
            const int v = 1600 * values[i] + 40 * values[i + 1] + values[i + 2] + 1;
            out.push_back(uint8_t(v / 256));
            out.push_back(uint8_t(v % 256));
        }
    }

    // Six bits a value, packed from the most significant bit, the last
    // codeword made up with zero bits.
    void sixBitValues(const std::vector<uint8_t>& values) {
        unsigned acc = 0;
        int bits = 0;
        for (uint8_t v : values) {
            acc = (acc << 6) | v;
            bits += 6;
            while (bits >= 8) {
                bits -= 8;
                out.push_back(uint8_t(acc >> bits));
                acc &= (1u << bits) - 1;
            }
        }
        if (bits > 0) out.push_back(uint8_t(acc << (8 - bits)));
    }

    void base256(int begin, int end, bool last) {
        out.push_back(kLatchBase256);
        const int length = end - begin;
        std::vector<int> field;
        if (length < 250) field = {length};
        else if (last && 1 + length == left()) field = {0};  // to the end of the symbol
        else field = {length / 250 + 249, length % 250};
        for (int i = begin; i < end; ++i) field.push_back(chars[size_t(i)]);
        for (int v : field) out.push_back(randomise255(v, int(out.size()) + 1));
    }

    void pad() {
        if (left() > 0) out.push_back(kPad);
        while (left() > 0) out.push_back(randomise253(kPad, int(out.size()) + 1));
    }
};

}  // namespace

std::vector<uint8_t> dmDataCodewords(const DmChars& chars, const DmPlan& plan, int capacity) {
    if (plan.capacityNeeded > capacity) return {};
    Writer w{chars, capacity, {}};
    w.out.reserve(size_t(capacity));
    const auto& segs = plan.segments;
    for (size_t s = 0; s < segs.size(); ++s) {
        const DmSegment& seg = segs[s];
        const bool last = s + 1 == segs.size();
        // Only ASCII follows another encodation; as the last segment it may
        // go without the unlatch when the symbol ends soon after.
        const int tail = !last && s + 2 == segs.size() ? dmAsciiCost(chars, segs[s + 1].begin, segs[s + 1].end) : -1;
        std::vector<uint8_t> values;
        switch (seg.mode) {
        case DmMode::Ascii:
            w.ascii(seg.begin, seg.end);
            break;
        case DmMode::C40:
        case DmMode::Text: {
            const bool text = seg.mode == DmMode::Text;
            w.out.push_back(text ? kLatchText : kLatchC40);
            for (int i = seg.begin; i < seg.end; ++i) {
                const DmTripletValues& v = dmTripletValues(chars[size_t(i)], text);
                values.insert(values.end(), v.value, v.value + v.count);
            }
            w.triplets(values);
            if (last ? w.left() > 0 : !(tail == 1 && w.left() == 1)) w.out.push_back(kUnlatch);
            break;
        }
        case DmMode::X12:
            w.out.push_back(kLatchX12);
            for (int i = seg.begin; i < seg.end; ++i) values.push_back(uint8_t(dmX12Value(chars[size_t(i)])));
            w.triplets(values);
            if (last ? w.left() > 0 : !(tail == 1 && w.left() == 1)) w.out.push_back(kUnlatch);
            break;
        case DmMode::Edifact: {
            w.out.push_back(kLatchEdifact);
            for (int i = seg.begin; i < seg.end; ++i) values.push_back(uint8_t(dmEdifactValue(chars[size_t(i)])));
            const bool wholeGroups = values.size() % 4 == 0;
            // Three codewords hold a group, so after whole groups the
            // remaining one or two codewords are read as ASCII.
            const int after = w.left() - int(values.size()) / 4 * 3;
            const bool implied = wholeGroups && after <= 2 && (last || (tail >= 0 && tail <= after));
            if (!implied) values.push_back(kEdifactUnlatch);
            w.sixBitValues(values);
            break;
        }
        case DmMode::Base256:
            w.base256(seg.begin, seg.end, last);
            break;
        }
    }
    if (w.left() < 0) return {};
    w.pad();
    return std::move(w.out);
}

}  // namespace quillet
