#include "app/encode/qr_gs1.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quillet {

namespace {

enum Mode { Numeric = 0, Alphanumeric = 1, Byte = 2 };
constexpr int kModeIndicator[3] = {0x1, 0x2, 0x4};
constexpr int kFnc1First = 0x5;
constexpr char kGs = 29;
constexpr const char* kAlphanumeric = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// Character count bits by mode, for versions 1-9, 10-26 and 27-40.
int countBits(Mode m, int version) {
    static constexpr int kBits[3][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}};
    return kBits[m][version <= 9 ? 0 : version <= 26 ? 1 : 2];
}

int alphanumericValue(char c) {
    const char* p = c ? std::strchr(kAlphanumeric, c) : nullptr;
    return p ? int(p - kAlphanumeric) : -1;
}

bool fits(Mode m, char c) {
    if (m == Numeric) return c >= '0' && c <= '9';
    if (m == Alphanumeric) return c == kGs || (c != '%' && alphanumericValue(c) >= 0);
    return true;
}


struct Segment {
    Mode mode;
    size_t begin, end;
};

// Least-bits segmentation for one range of versions, costs in sixths of a
// bit so that digits (10 bits per 3) and alphanumerics (11 per 2) are whole.
std::vector<Segment> segment(std::string_view data, int version) {
    static constexpr int kCharCost[3] = {20, 33, 48};
    const size_t n = data.size();
    constexpr long kNone = -1;
    std::vector<std::array<long, 3>> cost(n + 1, {kNone, kNone, kNone});
    std::vector<std::array<int, 3>> from(n + 1, {-1, -1, -1});
    for (size_t i = 0; i < n; ++i) {
        for (int m = 0; m < 3; ++m) {
            if (!fits(Mode(m), data[i])) continue;
            const long header = (4 + countBits(Mode(m), version)) * 6L;
            long best = i == 0 ? header : kNone;
            int prev = -1;
            for (int p = 0; i > 0 && p < 3; ++p) {
                if (cost[i][size_t(p)] == kNone) continue;
                const long c = cost[i][size_t(p)] + (p == m ? 0 : header);
                if (best == kNone || c < best) best = c, prev = p;
            }
            if (best == kNone) continue;
            cost[i + 1][size_t(m)] = best + kCharCost[m];
            from[i + 1][size_t(m)] = prev;
        }
    }
    int m = 2;
    for (int k = 0; k < 3; ++k)
        if (cost[n][size_t(k)] != kNone && cost[n][size_t(k)] < cost[n][size_t(m)]) m = k;
    std::vector<Segment> reversed;
    for (size_t i = n; i > 0;) {
        const size_t end = i;
        int mode = m;
        while (i > 0 && m == mode) m = from[i--][size_t(mode)];
        reversed.push_back({Mode(mode), i, end});
    }
    return std::vector<Segment>(reversed.rbegin(), reversed.rend());
}

struct Bits {
    std::vector<bool> bits;
    void put(int value, int count) {
        for (int i = count - 1; i >= 0; --i) bits.push_back((value >> i) & 1);
    }
};

void putSegment(Bits& out, std::string_view data, const Segment& s, int version) {
    const std::string_view part = data.substr(s.begin, s.end - s.begin);
    if (s.mode == Byte) {
        out.put(kModeIndicator[Byte], 4);
        out.put(int(part.size()), countBits(Byte, version));
        for (char c : part) out.put((unsigned char)c, 8);
        return;
    }
    if (s.mode == Numeric) {
        out.put(kModeIndicator[Numeric], 4);
        out.put(int(part.size()), countBits(Numeric, version));
        for (size_t i = 0; i < part.size(); i += 3) {
            const size_t k = std::min<size_t>(3, part.size() - i);
            int v = 0;
            for (size_t j = 0; j < k; ++j) v = v * 10 + (part[i + j] - '0');
            out.put(v, k == 3 ? 10 : k == 2 ? 7 : 4);
        }
        return;
    }
    std::vector<int> values;
    for (char c : part) values.push_back(alphanumericValue(c == kGs ? '%' : c));
    out.put(kModeIndicator[Alphanumeric], 4);
    out.put(int(values.size()), countBits(Alphanumeric, version));
    for (size_t i = 0; i < values.size(); i += 2) {
        if (i + 1 < values.size()) out.put(values[i] * 45 + values[i + 1], 11);
        else out.put(values[i], 6);
    }
}

// The data codewords for a version, or nothing when they do not fit.
std::optional<std::vector<uint8_t>> dataCodewords(std::string_view data, int version, QrLevel level) {
    Bits b;
    b.put(kFnc1First, 4);
    for (const Segment& s : segment(data, version)) {
        if (s.end - s.begin >= size_t(1) << countBits(s.mode, version)) return std::nullopt;
        putSegment(b, data, s, version);
    }
    const size_t capacity = size_t(qrBlocks(version, level).dataCodewords()) * 8;
    if (b.bits.size() > capacity) return std::nullopt;
    b.put(0, int(std::min<size_t>(4, capacity - b.bits.size())));  // terminator
    while (b.bits.size() % 8) b.bits.push_back(false);
    std::vector<uint8_t> codewords;
    for (size_t i = 0; i < b.bits.size(); i += 8) {
        int v = 0;
        for (size_t j = 0; j < 8; ++j) v = v << 1 | b.bits[i + j];
        codewords.push_back(uint8_t(v));
    }
    for (uint8_t pad = 0xEC; codewords.size() < capacity / 8; pad ^= 0xEC ^ 0x11) codewords.push_back(pad);
    return codewords;
}

}  // namespace

std::optional<QrCodewords> qrGs1Codewords(std::string_view data, QrLevel level) {
    for (int version = 1; version <= 40; ++version)
        if (auto codewords = dataCodewords(data, version, level)) return QrCodewords{version, std::move(*codewords)};
    return std::nullopt;
}

std::optional<QrSymbol> encodeQrGs1(std::string_view data, QrLevel level) {
    std::optional<QrCodewords> c = qrGs1Codewords(data, level);
    if (!c) return std::nullopt;
    return qrSymbol(c->version, level, c->data);
}

}  // namespace quillet
