#pragma once
// Driving one dialog of the window from its menu entry, for the dialog
// tests: the opening state is read, the controls edited and a button
// pressed, as a person would.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <functional>
#include <string>

#include "app/window/test_support/window_fixture.h"

namespace quillet::test {

template <class W>
W* control(QDialog& d, const char* name) {
    W* w = d.findChild<W*>(QString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

int listIndex(QDialog& d, const char* name);
bool ticked(QDialog& d, const char* name);
void press(QDialog& d, const char* name);
// Replaces a text box's content by typing, so the key filters apply.
void typeOver(QDialog& d, const char* box, const QString& text);

// Opens the dialog of the menu entry after the setup execute string; the
// opening state is read, `edit` changes the controls and `button` closes
// it. The fixture then holds the settings to be checked.
struct DialogRun {
    std::string setup;
    std::function<void(SymbolSettings&)> prepare;  // settings no command reaches
    const char* entry;
    std::function<void(QDialog&)> opened;  // checks the opening state
    std::function<void(QDialog&)> edit;
    const char* button;  // "Command1" accepts, "Command2" cancels
};

void runDialogCase(WindowFixture& f, const DialogRun& c);

}  // namespace quillet::test
