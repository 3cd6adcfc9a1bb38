// The Paste command: selection replacement, whole-message paste, comment.
#include <gtest/gtest.h>

#include "app/render/paste.h"
#include "tests/support/app_harness.h"

namespace quillet {
namespace {

TEST(Paste, SelectionCommentAndWholeMessage) {
    struct Case {
        std::string message;
        size_t selStart, selLength;
        bool commentActive;
        std::string clip;
        std::string message2, comment2;
    };
    const std::string nul("A\0B", 3);
    for (const Case& c : {Case{"HELLO", 1, 3, false, "xy", "HxyO", ""}, Case{"HELLO", 0, 0, false, "NEW", "NEW", ""},
                          Case{"HELLO", 4, 9, false, "!", "HELL!", ""}, Case{nul, 2, 1, false, "C", std::string("A\0C", 3), ""},
                          Case{"KEEP", 0, 2, true, "note", "KEEP", "note"}}) {
        test::AppHarness h;
        h.app.settings.message = c.message;
        h.app.window.messageSelStart = c.selStart;
        h.app.window.messageSelLength = c.selLength;
        h.app.window.commentActive = c.commentActive;
        h.clipboard.setText(c.clip);
        ASSERT_TRUE(MPaste_Click(h.app));
        EXPECT_EQ(h.app.settings.message, c.message2);
        EXPECT_EQ(h.app.settings.comment, c.comment2);
    }
    test::AppHarness empty;
    EXPECT_FALSE(MPaste_Click(empty.app));  // no text on the clipboard
}

}  // namespace
}  // namespace quillet
