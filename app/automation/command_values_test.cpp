// Splitting execute strings and reading their values.
#include <gtest/gtest.h>

#include "app/automation/command_values.h"
#include "app/automation/execute_string.h"

namespace quillet {
namespace {

TEST(SplitExecuteString, CommandsRunThroughEachClosingBracket) {
    struct Case {
        const char* execute;
        std::vector<std::string> commands;
    } cases[] = {
        {"[CODE39][MESSAGE='12345'][BUILD/COPY]", {"[CODE39]", "[MESSAGE='12345']", "[BUILD/COPY]"}},
        {"  [A]   [B]  ", {"[A]", "[B]"}},
        {"no bracket at all", {}},
        {"", {}},
        {"   ", {}},
        {"[A][B] trailing text", {"[A]", "[B]"}},
        {"[A] [unterminated", {"[A]"}},
        // Text before '[' belongs to the command (which then is unknown).
        {"junk[CODE39]", {"junk[CODE39]"}},
        // Spaces inside a command stay; only the rest is trimmed.
        {"[MESSAGE= ab ] [X]", {"[MESSAGE= ab ]", "[X]"}},
        {"]]", {"]", "]"}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitExecuteString(c.execute), c.commands) << c.execute;
}

TEST(DecodeValue, QuotedTextAndCharacterCodes) {
    struct Case {
        std::string value, decoded;
    } cases[] = {
        {"'ABC' 13 10 'DEF'", "ABC\r\nDEF"},
        {"'O' 39 'NEIL'", "O'NEIL"},
        {"123", "{"},
        {"", ""},
        {"'abc'", "abc"},
        {"65 66,67", "ABC"},  // any non-digit ends a code and is dropped
        {"256", std::string(1, '\0')},  // codes are taken AND 255
        {"321", "A"},
        {"99999999999999999999999", "\xFF"},  // 10^23 - 1 leaves 255 in the low byte
        {"'unclosed", "unclosed"},
        {"65'B'", "AB"},  // an opening quote ends a pending code first
        {"''", ""},
        {"' '", " "},
        {"x y z", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeValue(c.value), c.decoded) << c.value;
}

TEST(Colours, NamesGiveWindowsColourValues) {
    struct Case {
        const char* name;
        Colour value;
    } cases[] = {
        {"MAROON", 0x000080}, {"GREEN", 0x008000}, {"OLIVE", 0x008080}, {"NAVY", 0x800000},
        {"PURPLE", 0x800080}, {"TEAL", 0x808000}, {"GRAY", 0x808080}, {"WHITE", 0xFFFFFF},
        {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF}, {"LIME", 0x00FF00}, {"YELLOW", 0x00FFFF},
        {"BLUE", 0xFF0000}, {"FUSCHIA", 0xFF00FF}, {"AQUA", 0xFFFF00},
        {"  red ", 0x0000FF}, {"Blue", 0xFF0000},
        {"BLACK", 0}, {"FUCHSIA", 0}, {"", 0}, {"GREY", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(colourByName(c.name), c.value) << c.name;
}

TEST(Colours, ThreeCodesAreRedGreenBlue) {
    struct Case {
        const char* value;
        Colour colour;
    } cases[] = {
        {"0 0 255", 0xFF0000},
        {"255 0 0", 0x0000FF},
        {"1 2 3", 0x030201},
        {"255", 0x0000FF},       // padded with code 0
        {"", 0},
        {"1 2 3 4 5", 0x030201},  // cut to three
        {"'ABC'", 0x434241},
    };
    for (const auto& c : cases) EXPECT_EQ(colourFromCodes(c.value), c.colour) << c.value;
}

TEST(Numbers, OnlyPlainDecimalsRead) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12}, {" 2.5 ", 2.5}, {"-75", -75}, {"+3", 3}, {".5", 0.5}, {"7.", 7},
        {"", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt}, {"1.2.3", std::nullopt},
        {"1e5", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"0x10", std::nullopt},
        {"-", std::nullopt}, {".", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseNumber(c.text), c.value) << c.text;
}

TEST(Numbers, IntegersRoundHalfToEvenAndFit32Bits) {
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-0.4", 0}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt}, {"x", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quillet
