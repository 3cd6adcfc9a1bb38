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
        // A repeated character: the edit is placed, not searched for.
        {"doubled letter", "AAB", CharsetAnsi, U"AAAB", "AAAB", 3},
    };
    for (const Case& c : cases) {
        const FieldEdit e = applyFieldEdit(c.stored, messageDisplayForm(c.stored), c.edited, c.characterSet);
        EXPECT_EQ(e.stored, c.expected) << c.what;
        EXPECT_EQ(e.cursor, c.cursor) << c.what;
    }
}

}  // namespace
}  // namespace quillet
