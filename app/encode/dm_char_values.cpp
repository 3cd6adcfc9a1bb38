#include "app/encode/dm_char_values.h"

#include <array>

namespace quillet {

namespace {

// The C40 and Text character sets by value. Values 0-2 of the basic set
// are Shift 1-3; Shift 1 holds the control characters 0-31 by their code;
// Shift 2 is shared, with FNC1 at 27 and Upper Shift at 30.
constexpr std::string_view kC40Basic = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";  // from value 3
constexpr std::string_view kTextBasic = " 0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kShift2 = "!\"#$%&'()*+,-./:;<=>?@[\\]^_";
constexpr std::string_view kC40Shift3 = "`abcdefghijklmnopqrstuvwxyz{|}~\x7f";
constexpr std::string_view kTextShift3 = "`ABCDEFGHIJKLMNOPQRSTUVWXYZ{|}~\x7f";
constexpr uint8_t kShift1 = 0, kShift2Value = 1, kShift3 = 2, kFnc1Value = 27, kUpperShift = 30;
// X12 by value.
constexpr std::string_view kX12 = "\r*> 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr DmTripletValues lowValues(int c, bool text) {
    const std::string_view basic = text ? kTextBasic : kC40Basic, shift3 = text ? kTextShift3 : kC40Shift3;
    DmTripletValues v;
    auto add = [&](int value) { v.value[v.count++] = uint8_t(value); };
    if (const auto at = basic.find(char(c)); at != std::string_view::npos) {
        add(int(at) + 3);
    } else if (c < 32) {
        add(kShift1);
        add(c);
    } else if (const auto at2 = kShift2.find(char(c)); at2 != std::string_view::npos) {
        add(kShift2Value);
        add(int(at2));
    } else {
        add(kShift3);
        add(int(shift3.find(char(c))));
    }
    return v;
}

constexpr std::array<DmTripletValues, 257> tripletTable(bool text) {
    std::array<DmTripletValues, 257> t{};
    for (int c = 0; c < 128; ++c) t[size_t(c)] = lowValues(c, text);
    for (int c = 128; c < 256; ++c) {
        const DmTripletValues low = lowValues(c - 128, text);
        DmTripletValues& v = t[size_t(c)];
        v.value[0] = kShift2Value;
        v.value[1] = kUpperShift;
        for (int i = 0; i < low.count; ++i) v.value[2 + i] = low.value[i];
        v.count = uint8_t(2 + low.count);
    }
    t[kDmFnc1] = {2, {kShift2Value, kFnc1Value}};
    return t;
}

constexpr auto kC40Table = tripletTable(false);
constexpr auto kTextTable = tripletTable(true);

}  // namespace

DmChars dmChars(std::string_view data, bool gs1) {
    DmChars out(data.size());
    for (size_t i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = gs1 && b == 29 ? kDmFnc1 : b;
    }
    return out;
}

const DmTripletValues& dmTripletValues(uint16_t ch, bool text) { return (text ? kTextTable : kC40Table)[ch]; }

int dmX12Value(uint16_t ch) {
    if (ch >= 128) return -1;
    const auto at = kX12.find(char(ch));
    return at == std::string_view::npos ? -1 : int(at);
}

// EDIFACT holds the characters 32-94 by their six low bits.
int dmEdifactValue(uint16_t ch) { return ch >= 32 && ch <= 94 ? ch & 0x3F : -1; }

int dmAsciiCost(const DmChars& chars, int begin, int end) {
    int cost = 0;
    for (int i = begin; i < end; ++i) {
        if (dmIsDigit(chars[size_t(i)]) && i + 1 < end && dmIsDigit(chars[size_t(i) + 1])) ++i;
        else if (chars[size_t(i)] >= 128 && chars[size_t(i)] != kDmFnc1) ++cost;  // Upper Shift
        ++cost;
    }
    return cost;
}

}  // namespace quillet
