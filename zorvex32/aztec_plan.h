#pragma once
// Planning of an Aztec message: the cheapest sequence of mode changes,
// shifts and character runs over the five character modes and binary shift.
#include <cstdint>
#include <string_view>
#include <vector>

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

enum Mode : uint8_t { Upper, Lower, Mixed, Punct, Digit, Binary };
constexpr int kModeCount = 6;
constexpr int kUnreachable = 32000;
// Longest run one binary shift can announce: 31 + 2^11 - 1 bytes.
constexpr int kMaxBinaryRun = 2078;

// A unit is one byte, or one of the pairs CR LF, ". ", ", ", ": ".
struct Unit {
    int pos = 0;      // offset of its first byte in the message
    uint8_t len = 1;  // 1 or 2 bytes
};

std::vector<Unit> splitUnits(std::string_view message);

// Code of a unit in a mode: the first code and, for the two-code units
// (CR LF in Mixed, ". " and ", " in Digit), the second; -1 when the mode
// cannot hold the unit. Binary is not handled here.
struct UnitCodes {
    int first = -1;
    int second = -1;
};
UnitCodes unitCodes(Mode mode, std::string_view message, const Unit& unit);

// Run weight of a unit in a mode: two-code units and pairs in Binary count 2.
inline int unitWeight(Mode mode, const Unit& unit) { return unit.len == 2 && mode != Punct ? 2 : 1; }

struct Action {
    enum Kind : uint8_t { Route, Shift, Run, BinaryRun } kind = Run;
    Mode from = Upper;  // Route, Shift: the mode the codes are issued in
    Mode to = Upper;    // Route: the target; Shift: Upper or Punct; Run: its mode; BinaryRun: return mode
    int count = 0;      // Run, BinaryRun: units weighted as above
};

struct Plan {
    std::vector<Unit> units;
    std::vector<Action> actions;
    int bits = 0;  // planned length of the bit stream, before stuffing
};

Plan planMessage(std::string_view message);

// The fixed route between two modes as the list of modes passed through,
// excluding the start (e.g. Digit -> Punct is Upper, Mixed, Punct).
std::vector<Mode> routeSteps(Mode from, Mode to);
int routeCost(Mode from, Mode to);
// Latch (or binary shift) code issued in `from` towards the next mode `to`.
int latchCode(Mode from, Mode to);
inline int codeBits(Mode mode) { return mode == Digit ? 4 : mode == Binary ? 8 : 5; }

}  // namespace zorvex
#pragma GCC visibility pop
