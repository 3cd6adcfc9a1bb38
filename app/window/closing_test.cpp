// Leaving the window and the paste hint: closing asks to save a changed
// configuration and does what the answer says; the paste hint's "do not
// show again" box turns the per-user preference off.
#include <gtest/gtest.h>

#include <QMessageBox>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/window/test_support/window_fixture.h"

namespace quillet {
namespace {

using test::WindowFixture;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Closing, AsksToSaveAChangedConfiguration) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quillet-close-" + std::to_string(::getpid()) + ".dbc")).string();
    struct Case {
        const char* what;
        bool changed;
        bool named;  // a configuration file is known
        QMessageBox::StandardButton answer;
        QString question;  // empty: none asked
        bool closed;
        bool saved;
        int saveDialogs;
    } cases[] = {
        {"unchanged", false, true, QMessageBox::Yes, "", true, false, 0},
        {"changed, saved under its name", true, true, QMessageBox::Yes,
         "Configuration file: " + QString::fromStdString(std::filesystem::path(path).filename().string()) +
             " has changed. Save changes?",
         true, true, 0},
        {"changed, not saved", true, true, QMessageBox::No, "", true, false, 0},
        {"changed, cancelled", true, true, QMessageBox::Cancel, "", false, false, 0},
        // Without a name the save dialog is asked; cancelling it keeps the window.
        {"changed, unnamed", true, false, QMessageBox::Yes, "Save current configuration?", false, false, 1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path);
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[CODE93][MESSAGE='CLOSING']"));
        f.app().configPath = c.named ? path : std::string();
        f.app().settings.changed = c.changed;
        f.answer = [&](const test::ShownBox&) { return c.answer; };
        const bool closed = f.window->close();
        EXPECT_EQ(closed, c.closed) << c.what;
        EXPECT_EQ(f.window->isVisible(), !c.closed) << c.what;
        ASSERT_EQ(f.boxes.size(), c.changed ? 1u : 0u) << c.what;
        if (c.changed) {
            EXPECT_EQ(f.boxes[0].title, "Quillet Professional") << c.what;
            EXPECT_EQ(f.boxes[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << c.what;
            if (!c.question.isEmpty()) {
                EXPECT_EQ(f.boxes[0].text, c.question) << c.what;
            }
        }
        EXPECT_EQ(f.dialogsShown, c.saveDialogs) << c.what;
        EXPECT_EQ(std::filesystem::exists(path), c.saved) << c.what;
        // What was saved opens again with the same symbology and message.
        if (c.saved) {
            EXPECT_NE(fileText(path).find("CLOSING"), std::string::npos) << c.what;
            EXPECT_FALSE(f.app().settings.changed) << c.what;
        }
    }
    std::filesystem::remove(path);
}

TEST(Closing, PasteHintCanBeTurnedOff) {
    struct Case {
        bool tick;
        bool preferenceAfter;
    } cases[] = {{false, true}, {true, false}};
    for (const Case& c : cases) {
        WindowFixture f(/*pasteHint=*/true);
        f.tickCheckBoxes = c.tick;
        f.typeInto("Message", "HINT");
        f.pressBuildCopy();
        ASSERT_EQ(f.boxes.size(), 1u);
        EXPECT_EQ(f.boxes[0].title, "Important information about your bar code.");
        EXPECT_EQ(f.boxes[0].checkBox, "Do not show this message again.");
        EXPECT_EQ(f.app().showPasteHint, c.preferenceAfter) << c.tick;
        // The next run of the program (hint not yet shown) shows it only
        // while the preference is on.
        f.app().pasteHintShown = false;
        f.pressBuildCopy();
        EXPECT_EQ(f.boxes.size(), c.preferenceAfter ? 2u : 1u) << c.tick;
    }
}

}  // namespace
}  // namespace quillet
