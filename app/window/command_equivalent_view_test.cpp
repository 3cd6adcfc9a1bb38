// The command equivalent at the window: what a person set up by typing and
// choosing from the menus comes back from the shown execute string.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

#include <functional>

#include "app/automation/dde_link.h"
#include "app/window/test_support/dialog_run.h"

namespace quillet {
namespace {

using namespace test;

TEST(CommandEquivalentView, ShowsAStringThatRebuildsTheWindowsSettings) {
    struct Case {
        const char* what;
        std::function<void(WindowFixture&)> setUp;
    } cases[] = {
        {"typed message", [](WindowFixture& f) { f.typeInto("Message", "TYPED 42"); }},
        {"symbology and width",
         [](WindowFixture& f) {
             f.choose("Code &128");
             f.typeInto("Message", "Mixed case");
             f.replaceText("NBWidth", "15");
         }},
        {"option from a menu",
         [](WindowFixture& f) {
             f.choose("&Transparent");
             f.typeInto("Message", "SEE THROUGH");
             f.typeInto("Comment", "on glass");
         }},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        c.setUp(f);
        QString shown;
        f.dialog = [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Command Equivalent");
            shown = control<QPlainTextEdit>(d, "CommandText")->toPlainText();
            press(d, "Command1");
            press(d, "Command2");
        };
        f.find<QAction>("CommandEquivalent")->trigger();
        ASSERT_FALSE(shown.isEmpty()) << c.what;
        EXPECT_EQ(QGuiApplication::clipboard()->text(), shown) << c.what;

        Session fresh;
        ASSERT_EQ(LinkExecuteUtf8(fresh.app, shown.toStdString()), ExecuteResult::Accepted)
            << c.what << ": " << shown.toStdString();
        SymbolSettings expected = f.app().settings, got = fresh.s();
        expected.changed = got.changed = false;
        expected.symbolBuilt = got.symbolBuilt = false;
        EXPECT_EQ(got.message, expected.message) << c.what;
        EXPECT_TRUE(got == expected) << c.what << ": " << shown.toStdString();
    }
}

}  // namespace
}  // namespace quillet
