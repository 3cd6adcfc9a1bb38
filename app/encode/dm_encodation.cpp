#include "app/encode/dm_encodation.h"

#include <algorithm>
#include <limits>

namespace quillet {

namespace {

// The states at a character boundary: ASCII; C40, Text and X12 with 0-2
// values of an unfinished triplet; EDIFACT with 0-3 values of an
// unfinished group of four; inside a Base 256 field.
constexpr int kAscii = 0, kC40 = 1, kText = 4, kX12 = 7, kEdifact = 10, kBase256 = 14, kStates = 15;
constexpr int kInf = std::numeric_limits<int>::max() / 4;
// Codewords that leaving EDIFACT takes after k values of a group: those
// values and the unlatch value, six bits each, made up to whole codewords.
constexpr int kEdifactUnlatch[4] = {1, 2, 3, 3};
// From this many bytes on, a Base 256 field's length takes two codewords.
constexpr int kLongField = 250;

DmMode modeOf(int state) {
    if (state == kAscii) return DmMode::Ascii;
    if (state < kText) return DmMode::C40;
    if (state < kX12) return DmMode::Text;
    if (state < kEdifact) return DmMode::X12;
    if (state < kBase256) return DmMode::Edifact;
    return DmMode::Base256;
}

struct Node {
    int cost = kInf;  // data codewords so far, those of unfinished triplets and groups not yet counted
    int prevPos = -1;
    int prevState = -1;
};

struct Lattice {
    std::vector<Node> nodes;     // (characters + 1) x kStates
    std::vector<int> fieldBytes;  // the Base 256 field's length so far, by position

    explicit Lattice(int n) : nodes(size_t(n + 1) * kStates), fieldBytes(size_t(n + 1), 0) {}
    Node& at(int pos, int state) { return nodes[size_t(pos) * kStates + size_t(state)]; }
    int cost(int pos, int state) { return at(pos, state).cost; }

    void relax(int pos, int state, int cost, int fromPos, int fromState) {
        Node& to = at(pos, state);
        if (cost < to.cost) to = {cost, fromPos, fromState};
    }
    // Of two Base 256 fields at the same cost, one that has paid for its
    // long length already is ahead, and else the shorter (it reaches 250
    // bytes later); at a lower cost a field is ahead whatever its length,
    // as a length costs at most one codeword more.
    void relaxField(int pos, int cost, int bytes, int fromPos, int fromState) {
        Node& to = at(pos, kBase256);
        int& had = fieldBytes[size_t(pos)];
        const bool paid = bytes >= kLongField, hadPaid = had >= kLongField;
        const bool ahead = cost != to.cost ? cost < to.cost : paid != hadPaid ? paid : bytes < had;
        if (!ahead) return;
        to = {cost, fromPos, fromState};
        had = bytes;
    }
};

struct Final {
    int need = kInf;
    int pos = 0, state = kAscii;
    bool asciiTail = false;  // the characters from pos on in ASCII, without an unlatch
};

void relaxAtBoundary(Lattice& t, int i) {
    // Back to ASCII: unlatch after a whole triplet or within a group, or
    // the end of a Base 256 field.
    for (int base : {kC40, kText, kX12}) t.relax(i, kAscii, t.cost(i, base) + 1, i, base);
    for (int k = 0; k < 4; ++k) t.relax(i, kAscii, t.cost(i, kEdifact + k) + kEdifactUnlatch[k], i, kEdifact + k);
    t.relax(i, kAscii, t.cost(i, kBase256), i, kBase256);
    // Latches from ASCII; a Base 256 latch comes with its length.
    const int ascii = t.cost(i, kAscii);
    if (ascii >= kInf) return;
    for (int base : {kC40, kText, kX12, kEdifact}) t.relax(i, base, ascii + 1, i, kAscii);
    t.relaxField(i, ascii + 2, 0, i, kAscii);
}

void relaxCharacter(Lattice& t, const DmChars& chars, int i) {
    const uint16_t ch = chars[size_t(i)];
    if (const int ascii = t.cost(i, kAscii); ascii < kInf) {
        if (dmIsDigit(ch) && i + 1 < int(chars.size()) && dmIsDigit(chars[size_t(i) + 1]))
            t.relax(i + 2, kAscii, ascii + 1, i, kAscii);
        t.relax(i + 1, kAscii, ascii + (ch >= 128 && ch != kDmFnc1 ? 2 : 1), i, kAscii);
    }
    for (int base : {kC40, kText}) {
        const int count = dmTripletValues(ch, base == kText).count;
        for (int k = 0; k < 3; ++k) {
            const int c = t.cost(i, base + k);
            if (c < kInf) t.relax(i + 1, base + (k + count) % 3, c + 2 * ((k + count) / 3), i, base + k);
        }
    }
    if (dmX12Value(ch) >= 0) {
        for (int k = 0; k < 3; ++k) {
            const int c = t.cost(i, kX12 + k);
            if (c < kInf) t.relax(i + 1, kX12 + (k + 1) % 3, c + (k == 2 ? 2 : 0), i, kX12 + k);
        }
    }
    if (dmEdifactValue(ch) >= 0) {
        for (int k = 0; k < 4; ++k) {
            const int c = t.cost(i, kEdifact + k);
            if (c < kInf) t.relax(i + 1, kEdifact + (k + 1) % 4, c + (k == 3 ? 3 : 0), i, kEdifact + k);
        }
    }
    if (const int c = t.cost(i, kBase256); c < kInf && ch != kDmFnc1) {
        const int bytes = t.fieldBytes[size_t(i)] + 1;
        t.relaxField(i + 1, c + 1 + (bytes == kLongField ? 1 : 0), bytes, i, kBase256);
    }
}

// The cheapest way to end, as the symbol capacity it needs. Every rule
// here holds for any larger capacity too (pad codewords, or an unlatch
// the full symbol made unnecessary), so the least need is the answer.
Final bestEnd(Lattice& t, const DmChars& chars, int start) {
    const int n = int(chars.size());
    Final best;
    auto offer = [&](int need, int pos, int state, bool tail) {
        if (need < best.need) best = {need, pos, state, tail};
    };
    offer(t.cost(n, kAscii), n, kAscii, false);
    for (int base : {kC40, kText, kX12}) offer(t.cost(n, base), n, base, false);
    // Two values left over: a Shift 1 completes the triplet.
    for (int base : {kC40, kText}) offer(t.cost(n, base + 2) + 2, n, base + 2, false);
    // Up to two codewords after a whole group are read as ASCII.
    offer(t.cost(n, kEdifact), n, kEdifact, false);
    // A field that ends the symbol may give its length as 0.
    const int field = t.cost(n, kBase256);
    offer(t.fieldBytes[size_t(n)] >= kLongField ? field - 1 : field, n, kBase256, false);
    // The last characters in ASCII with the unlatch implied: one codeword
    // after a triplet, up to two after an EDIFACT group.
    for (int i = std::max(start, n - 4); i < n; ++i) {
        const int a = dmAsciiCost(chars, i, n);
        if (a == 1)
            for (int base : {kC40, kText, kX12}) offer(t.cost(i, base) + 1, i, base, true);
        if (a <= 2) offer(t.cost(i, kEdifact) + a, i, kEdifact, true);
    }
    return best;
}

std::vector<DmSegment> segmentsOf(Lattice& t, const Final& end, int n) {
    std::vector<std::pair<int, int>> path;  // (position, state), last first
    for (int pos = end.pos, state = end.state; pos >= 0 && state >= 0;) {
        path.emplace_back(pos, state);
        const Node& nd = t.at(pos, state);
        pos = nd.prevPos;
        state = nd.prevState;
    }
    std::reverse(path.begin(), path.end());
    std::vector<DmSegment> segments;
    auto add = [&](DmMode mode, int begin, int endPos) {
        if (endPos <= begin) return;
        if (!segments.empty() && mode == DmMode::Ascii && segments.back().mode == mode) segments.back().end = endPos;
        else segments.push_back({mode, begin, endPos});
    };
    DmMode mode = modeOf(path.front().second);
    int begin = path.front().first;
    for (const auto& [pos, state] : path) {
        if (modeOf(state) == mode) continue;
        add(mode, begin, pos);
        mode = modeOf(state);
        begin = pos;
    }
    add(mode, begin, path.back().first);
    if (end.asciiTail) add(DmMode::Ascii, end.pos, n);
    return segments;
}

}  // namespace

DmPlan dmPlan(const DmChars& chars) {
    const int n = int(chars.size());
    Lattice t(n);
    int start = 0;
    if (n > 0 && chars[0] == kDmFnc1) {
        t.relax(1, kAscii, 1, 0, kAscii);  // reached from (0, ASCII) only
        start = 1;
    } else {
        t.at(0, kAscii).cost = 0;
    }
    for (int i = start; i <= n; ++i) {
        relaxAtBoundary(t, i);
        if (i < n) relaxCharacter(t, chars, i);
    }
    const Final end = bestEnd(t, chars, start);
    return {segmentsOf(t, end, n), end.need};
}

}  // namespace quillet
