#include "app/window/test_support/dialog_run.h"

#include <QAction>
#include <QTest>

namespace quillet::test {

int listIndex(QDialog& d, const char* name) { return control<QComboBox>(d, name)->currentIndex(); }
bool ticked(QDialog& d, const char* name) { return control<QCheckBox>(d, name)->isChecked(); }
void press(QDialog& d, const char* name) { QTest::mouseClick(control<QPushButton>(d, name), Qt::LeftButton); }

void typeOver(QDialog& d, const char* box, const QString& text) {
    auto* edit = control<QLineEdit>(d, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void runDialogCase(WindowFixture& f, const DialogRun& c) {
    ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
    if (c.prepare) c.prepare(f.app().settings);
    f.app().settings.changed = false;
    f.window->refresh();
    QAction* entry = f.find<QAction>(c.entry);
    ASSERT_NE(entry, nullptr) << c.entry;
    EXPECT_TRUE(entry->isVisible()) << c.entry;
    f.dialog = [&](QDialog& d) {
        c.opened(d);
        if (c.edit) c.edit(d);
        press(d, c.button);
    };
    entry->trigger();
    EXPECT_EQ(f.dialogsShown, 1) << c.entry;
}

}  // namespace quillet::test
