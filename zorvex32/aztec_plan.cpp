#include "zorvex32/aztec_plan.h"

#include <algorithm>
#include <array>

namespace zorvex {

namespace {

// Character codes of the single bytes in the five character modes; -1 where
// the mode has no code for the byte.
struct CharTables {
    std::array<std::array<int8_t, 256>, 5> code{};
    std::array<uint8_t, 256> modes{};  // bit m: character mode m has the byte
    CharTables() {
        for (auto& t : code) t.fill(-1);
        for (Mode m : {Upper, Lower, Mixed, Digit}) code[m][' '] = 1;
        for (int i = 0; i < 26; ++i) {
            code[Upper]['A' + i] = int8_t(2 + i);
            code[Lower]['a' + i] = int8_t(2 + i);
        }
        for (int c = 1; c <= 13; ++c) code[Mixed][c] = int8_t(c + 1);
        for (int c = 27; c <= 31; ++c) code[Mixed][c] = int8_t(c - 12);
        const char* mixed = "@\\^_`|~\x7f";
        for (int i = 0; mixed[i]; ++i) code[Mixed][uint8_t(mixed[i])] = int8_t(20 + i);
        code[Punct]['\r'] = 1;
        const char* punct = "!\"#$%&'()*+,-./:;<=>?[]{}";
        for (int i = 0; punct[i]; ++i) code[Punct][uint8_t(punct[i])] = int8_t(6 + i);
        for (int i = 0; i < 10; ++i) code[Digit]['0' + i] = int8_t(2 + i);
        code[Digit][','] = 12;
        code[Digit]['.'] = 13;
        for (int m = Upper; m <= Digit; ++m)
            for (int b = 0; b < 256; ++b)
                if (code[m][b] >= 0) modes[b] |= uint8_t(1 << m);
    }
};

const CharTables& tables() {
    static const CharTables t;
    return t;
}

// Pairs in the order they are tried; their Punct codes are 2..5.
constexpr std::array<std::array<char, 2>, 4> kPairs{{{'\r', '\n'}, {'.', ' '}, {',', ' '}, {':', ' '}}};

int pairIndex(std::string_view message, const Unit& u) {
    if (u.len != 2) return -1;
    for (int i = 0; i < 4; ++i)
        if (message[u.pos] == kPairs[i][0] && message[u.pos + 1] == kPairs[i][1]) return i;
    return -1;
}

}  // namespace

std::vector<Unit> splitUnits(std::string_view message) {
    std::vector<Unit> units;
    units.reserve(message.size());
    for (size_t i = 0; i < message.size();) {
        Unit u{int(i), 1};
        if (i + 1 < message.size())
            for (const auto& p : kPairs)
                if (message[i] == p[0] && message[i + 1] == p[1]) u.len = 2;
        units.push_back(u);
        i += u.len;
    }
    return units;
}

UnitCodes unitCodes(Mode mode, std::string_view message, const Unit& unit) {
    if (mode == Binary) return {};
    int pair = pairIndex(message, unit);
    if (pair < 0) return {tables().code[mode][uint8_t(message[unit.pos])], -1};
    if (mode == Punct) return {2 + pair, -1};
    if (mode == Mixed && pair == 0) return {tables().code[Mixed]['\r'], tables().code[Mixed]['\n']};
    if (mode == Digit && (pair == 1 || pair == 2))
        return {tables().code[Digit][uint8_t(kPairs[pair][0])], tables().code[Digit][' ']};
    return {};
}

std::vector<Mode> routeSteps(Mode from, Mode to) {
    static const std::vector<Mode> kRoutes[5][6] = {
        /* Upper */ {{}, {Lower}, {Mixed}, {Mixed, Punct}, {Digit}, {Binary}},
        /* Lower */ {{Mixed, Upper}, {}, {Mixed}, {Mixed, Punct}, {Digit}, {Binary}},
        /* Mixed */ {{Upper}, {Lower}, {}, {Punct}, {Upper, Digit}, {Binary}},
        /* Punct */ {{Upper}, {Upper, Lower}, {Upper, Mixed}, {}, {Upper, Digit}, {Upper, Binary}},
        /* Digit */ {{Upper}, {Upper, Lower}, {Upper, Mixed}, {Upper, Mixed, Punct}, {}, {Upper, Binary}},
    };
    if (from == Binary) return {};
    return kRoutes[from][to];
}

namespace {

using CostTable = std::array<std::array<int16_t, kModeCount>, kModeCount>;

// The planner asks for every pair at every unit: counted once.
const CostTable& routeCosts() {
    static const CostTable costs = [] {
        CostTable c{};
        for (int f = Upper; f < kModeCount; ++f)
            for (int t = Upper; t < kModeCount; ++t) {
                int steps = int(routeSteps(Mode(f), Mode(t)).size());
                c[f][t] = int16_t(5 * steps - (f == Digit ? 1 : 0) + (t == Binary ? 5 : 0));
            }
        return c;
    }();
    return costs;
}

}  // namespace

int routeCost(Mode from, Mode to) { return routeCosts()[from][to]; }

int latchCode(Mode from, Mode to) {
    switch (from) {
        case Upper: return to == Lower ? 28 : to == Mixed ? 29 : to == Digit ? 30 : 31;
        case Lower: return to == Mixed ? 29 : to == Digit ? 30 : 31;
        case Mixed: return to == Lower ? 28 : to == Upper ? 29 : to == Punct ? 30 : 31;
        case Punct: return 31;
        case Digit: return 14;
        default: return -1;
    }
}

namespace {

struct Node {
    Action action;
    int parent;
};

struct State {
    int cost = kUnreachable;
    int head = -1;  // last action node; -1 = empty list
    int run = 0;    // pending units in this mode since its last action
    Mode ret = Upper;  // Binary only: where the run returns to
    int closedHead = -1;  // the node closing this run, once some change needed it
    // The mode change or shift that made this state, put in the list only
    // when something builds on it: most states are overtaken first.
    bool pending = false;
    Action action;
};

struct Planner {
    std::vector<Node> nodes;

    int append(int head, Action a) {
        nodes.push_back({a, head});
        return int(nodes.size()) - 1;
    }
    // The list of `s` with its pending run of mode `m` closed. Several mode
    // changes from one state share the closing node.
    int closed(State& s, Mode m) {
        if (s.pending) {
            s.head = append(s.head, s.action);
            s.pending = false;
        }
        if (s.run == 0) return s.head;
        if (s.closedHead >= 0) return s.closedHead;
        if (m == Binary) return s.closedHead = append(s.head, {Action::BinaryRun, Binary, s.ret, s.run});
        return s.closedHead = append(s.head, {Action::Run, m, m, s.run});
    }
    // A state reached from `from` by `a`.
    State after(State& from, Mode m, Action a, int cost) {
        State n;
        n.cost = cost;
        n.head = closed(from, m);
        n.pending = true;
        n.action = a;
        return n;
    }
};

Mode returnModeFrom(Mode src) { return src == Upper || src == Lower || src == Mixed ? src : Upper; }

// Bit m set when character mode m can hold the unit.
uint8_t unitModes(std::string_view message, const Unit& u) {
    if (u.len == 1) return tables().modes[uint8_t(message[u.pos])];
    uint8_t mask = 0;
    for (int m = Upper; m <= Digit; ++m)
        if (unitCodes(Mode(m), message, u).first >= 0) mask |= uint8_t(1 << m);
    return mask;
}

}  // namespace

Plan planMessage(std::string_view message) {
    Plan plan;
    plan.units = splitUnits(message);
    Planner p;
    p.nodes.reserve(plan.units.size() * 4 + 16);
    std::array<State, kModeCount> st{};
    st[Upper].cost = 0;
    // Staying in a mode is no change: an unreachable cost keeps the loop
    // below free of that test.
    CostTable cost = routeCosts();
    for (int m = Upper; m < kModeCount; ++m) cost[m][m] = kUnreachable;

    for (const Unit& u : plan.units) {
        const uint8_t holds = unitModes(message, u);
        // 1. A cheaper binary state ends its run and returns to its entry mode.
        State& bin = st[Binary];
        if (bin.cost < st[bin.ret].cost) {
            State r;
            r.cost = bin.cost;
            r.head = p.closed(bin, Binary);
            st[bin.ret] = r;
        }
        // 2. Mode changes; improvements are visible to later sources.
        for (int s = Upper; s <= Digit; ++s) {
            if (st[s].cost >= kUnreachable) continue;
            for (int t = Upper; t < kModeCount; ++t) {
                int c = st[s].cost + cost[s][t];
                if (st[t].cost > c) {
                    State n = p.after(st[s], Mode(s), {Action::Route, Mode(s), Mode(t), 0}, c);
                    if (t == Binary) n.ret = returnModeFrom(Mode(s));
                    st[t] = n;
                }
            }
        }
        // 3. Direct encoding.
        std::array<State, kModeCount> next{};
        for (int m = Upper; m < kModeCount; ++m) {
            const State& cur = st[m];
            if (cur.cost >= kUnreachable) continue;
            int w = unitWeight(Mode(m), u);
            if (m != Binary) {
                if (!(holds & (1 << m))) continue;
                next[m] = cur;
                next[m].cost += codeBits(Mode(m)) * w;
                next[m].run += w;
                next[m].closedHead = -1;
                continue;
            }
            State n = cur;
            if (n.run + w > kMaxBinaryRun) {
                // The length field is full: end this run and shift again.
                Mode ret = n.ret;
                n = p.after(n, Binary, {Action::Route, ret, Binary, 0}, n.cost + cost[ret][Binary]);
                n.ret = ret;
            }
            int before = n.run;
            n.run += w;
            n.closedHead = -1;
            n.cost += 8 * w;
            if (before < 32 && n.run >= 32) n.cost += 11;  // extended length field
            next[m] = n;
        }
        // 4. Shifts to Upper or Punct for this one unit.
        auto tryShift = [&](Mode from, Mode to, int cost) {
            if (st[from].cost >= kUnreachable) return;
            int c = st[from].cost + cost;
            if (c >= next[from].cost) return;
            next[from] = p.after(st[from], from, {Action::Shift, from, to, 0}, c);
        };
        if (holds & (1 << Upper)) {
            tryShift(Lower, Upper, 10);
            tryShift(Digit, Upper, 9);
        }
        if (holds & (1 << Punct)) {
            tryShift(Upper, Punct, 10);
            tryShift(Lower, Punct, 10);
            tryShift(Mixed, Punct, 10);
            tryShift(Digit, Punct, 9);
        }
        // 5.
        st = next;
    }

    int best = Upper;
    for (int m = Upper; m < kModeCount; ++m)
        if (st[m].cost < st[best].cost) best = m;
    plan.bits = st[best].cost;
    for (int i = p.closed(st[best], Mode(best)); i >= 0; i = p.nodes[i].parent)
        plan.actions.push_back(p.nodes[i].action);
    std::reverse(plan.actions.begin(), plan.actions.end());
    return plan;
}

}  // namespace zorvex
