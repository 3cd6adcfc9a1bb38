#include "app/window/field_text.h"

#include <gtest/gtest.h>

#include "app/model/settings.h"
#include "app/model/symbol_fields.h"

namespace quillet {
namespace {

TEST(FieldText, ShownThroughTheCharacterSetsCodePage) {
    EXPECT_EQ(shownText("A\x82", CharsetAscii), U"A\u00E9");  // OEM 0x82 is e acute
    EXPECT_EQ(shownText("A\x82", CharsetAnsi), U"A\u201A");   // ANSI 0x82 is a low quotation mark
    // Character 0 is shown as character 255.
    EXPECT_EQ(shownText(messageDisplayForm(std::string("A\0B", 3)), CharsetAnsi), U"A\u00FFB");
}

TEST(FieldText, EditsApplyToTheStoredBytesAtTheirPositions) {
    const std::string zero("A\0B", 3);
    struct Case {
        const char* what;
        std::string stored;
        int characterSet;
        std::u32string edited;
        std::string expected;
        size_t cursor;
    } cases[] = {
        {"typed at the end", "AB", CharsetAnsi, U"ABC", "ABC", 3},
        {"typed in the middle", "AC", CharsetAnsi, U"ABC", "ABC", 2},
        {"deleted", "ABC", CharsetAnsi, U"AC", "AC", 1},
        {"selection replaced", "ABCD", CharsetAnsi, U"AxyD", "AxyD", 3},
        {"cleared", "ABC", CharsetAnsi, U"", "", 0},
        // The 0 shown as 255 stays a 0 when typing happens beside it.
        {"beside a zero", zero, CharsetAnsi, U"A\u00FFBC", std::string("A\0BC", 4), 4},
        {"before a zero", zero, CharsetAnsi, U"xA\u00FFB", std::string("xA\0B", 4), 1},
        // Typed characters go to the OEM code page in the ASCII set.
        {"ASCII set converts", "A", CharsetAscii, U"A\u00E9", "A\x82", 2},
        {"ANSI set keeps", "A", CharsetAnsi, U"A\u00E9", "A\xE9", 2},
        // Controls cannot be typed, nor characters outside the code page.
        {"control dropped", "A", CharsetAnsi, U"A\tB", "AB", 2},
        {"outside the code page", "A", CharsetAnsi, U"A\u4E00", "A", 1},
        {"refuses the whole edit", "AB", CharsetAnsi, U"A\u4E00xB", "AB", 1},
        // A repeated character: the edit is placed, not searched for.
        {"doubled letter", "AAB", CharsetAnsi, U"AAAB", "AAAB", 3},
    };
    for (const Case& c : cases) {
        const FieldEdit e = applyFieldEdit(c.stored, messageDisplayForm(c.stored), c.edited, c.characterSet);
        EXPECT_EQ(e.stored, c.expected) << c.what;
        EXPECT_EQ(e.cursor, c.cursor) << c.what;
    }
}

// Characters the code page lacks are named once each for the user, and
// nothing typed with them is stored.
TEST(FieldText, CharactersOutsideTheCodePageAreNamed) {
    const FieldEdit e = applyFieldEdit("A", "A", U"A\u65E5x\u672C\u65E5", CharsetAnsi);
    EXPECT_EQ(e.stored, "A");
    EXPECT_EQ(e.outside, (std::vector<char32_t>{U'\u65E5', U'\u672C'}));
    EXPECT_TRUE(applyFieldEdit("A", "A", U"A\u00E9", CharsetAnsi).outside.empty());
}

// A message kept as UTF-8 shows its characters and stores what is typed as
// UTF-8, edits landing on whole sequences.
TEST(FieldText, Utf8MessagesKeepEveryCharacter) {
    const std::string gruss = "Gr\xC3\xBC\xC3\x9F" "e";  // Grüße
    EXPECT_EQ(shownText(gruss, CharsetAnsi, true), U"Gr\u00FC\u00DFe");
    // A byte outside any sequence shows as in ANSI, one character a byte.
    EXPECT_EQ(shownText("A\xE9" "B", CharsetAnsi, true), U"A\u00E9B");
    struct Case {
        const char* what;
        std::string stored;
        std::u32string edited;
        std::string expected;
        size_t cursor;
    } cases[] = {
        {"typed after", gruss, U"Gr\u00FC\u00DFe \u65E5\u672C", gruss + " \xE6\x97\xA5\xE6\x9C\xAC", 8},
        {"emoji", "A", U"A\U0001F600", "A\xF0\x9F\x98\x80", 2},
        {"deleted inside", gruss, U"Gr\u00FCe", "Gr\xC3\xBC" "e", 3},
        {"typed between", gruss, U"Gr\u00FCx\u00DFe", "Gr\xC3\xBC" "x\xC3\x9F" "e", 4},
        {"control dropped", "A", U"A\tB", "AB", 2},
        // A stray byte stays itself when typing happens beside it.
        {"beside a stray byte", "A\xE9", U"A\u00E9\u00FC", "A\xE9\xC3\xBC", 3},
    };
    for (const Case& c : cases) {
        const FieldEdit e = applyFieldEdit(c.stored, c.stored, c.edited, CharsetAnsi, true);
        EXPECT_EQ(e.stored, c.expected) << c.what;
        EXPECT_EQ(e.cursor, c.cursor) << c.what;
        EXPECT_TRUE(e.outside.empty()) << c.what;
    }
}

}  // namespace
}  // namespace quillet
