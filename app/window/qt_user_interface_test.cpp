#include "app/window/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <unistd.h>

#include <filesystem>

namespace quillet {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

TEST(QtUserInterface, MessageBoxesShowTheirTitleTextButtonsAndIcon) {
    struct Case {
        Buttons buttons;
        Icon icon;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon qtIcon;
        int clicked;  // what the person presses; 0 closes the box without a button
        Answer answer;
    } cases[] = {
        {Buttons::Ok, Icon::None, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, Answer::Ok},
        {Buttons::Ok, Icon::Exclamation, QMessageBox::Ok, QMessageBox::Warning, 0, Answer::Ok},
        {Buttons::OkCancel, Icon::Exclamation, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning,
         QMessageBox::Cancel, Answer::Cancel},
        {Buttons::OkCancel, Icon::Information, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information,
         QMessageBox::Ok, Answer::Ok},
        {Buttons::YesNo, Icon::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QMessageBox::No,
         Answer::No},
        {Buttons::YesNo, Icon::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, 0, Answer::No},
        {Buttons::YesNoCancel, Icon::Critical, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Critical, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNoCancel, Icon::None, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::NoIcon, 0, Answer::Cancel},
    };
    for (const Case& c : cases) {
        QtUserInterface ui;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ui.runDialog = [&](QDialog& d) {
            auto& box = dynamic_cast<QMessageBox&>(d);
            title = box.windowTitle();
            text = box.text();
            buttons = box.standardButtons();
            icon = box.icon();
            return c.clicked;
        };
        // ANSI text with CR LF line ends.
        EXPECT_EQ(ui.messageBox("First line\r\n\r\nCaf\xE9", "Quillet", c.buttons, c.icon), c.answer);
        EXPECT_EQ(title, "Quillet");
        EXPECT_EQ(text, QString::fromUtf8("First line\n\nCaf\u00E9"));
        EXPECT_EQ(buttons, c.shown);
        EXPECT_EQ(icon, c.qtIcon);
    }
}

TEST(QtUserInterface, InputBoxGivesTheTypedTextOrNothing) {
    for (const bool accept : {true, false}) {
        QtUserInterface ui;
        QString title, label, initial;
        ui.runDialog = [&](QDialog& d) {
            auto& input = dynamic_cast<QInputDialog&>(d);
            title = input.windowTitle();
            label = input.labelText();
            initial = input.textValue();
            input.setTextValue(QString::fromUtf8("/data/Cluster.Dat \u00E9"));
            return accept ? QDialog::Accepted : QDialog::Rejected;
        };
        const std::string typed = ui.inputBox("Where is the file?", "Pattern File", "\\Cluster.Dat");
        EXPECT_EQ(typed, accept ? "/data/Cluster.Dat \xE9" : "");
        EXPECT_EQ(title, "Pattern File");
        EXPECT_EQ(label, "Where is the file?");
        EXPECT_EQ(initial, "\\Cluster.Dat");
    }
}

TEST(QtUserInterface, FileDialogsCarryTitleFiltersAndChoice) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("quillet-dialog-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string chosenPath = (folder / "shelf.qcf").string(), offeredPath = (folder / "old.qcf").string();
    struct Case {
        bool save;
        bool accept;
        std::optional<std::string> chosen;
    } cases[] = {{true, true, chosenPath}, {false, true, chosenPath}, {true, false, {}}};
    for (const Case& c : cases) {
        QtUserInterface ui;
        QString title;
        QStringList filters;
        QFileDialog::AcceptMode mode{};
        QStringList offered;
        ui.runDialog = [&](QDialog& d) {
            auto& dialog = dynamic_cast<QFileDialog&>(d);
            title = dialog.windowTitle();
            filters = dialog.nameFilters();
            mode = dialog.acceptMode();
            offered = dialog.selectedFiles();
            dialog.selectFile(QString::fromStdString(chosenPath));
            return c.accept ? QDialog::Accepted : QDialog::Rejected;
        };
        const auto chosen = ui.fileDialog(c.save, "Save Quillet Configuration As",
                                          "Quillet Config (*.qcf)|*.qcf|All Files (*.*)|*.*", offeredPath);
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(title, "Save Quillet Configuration As");
        EXPECT_EQ(filters, QStringList({"Quillet Config (*.qcf)", "All Files (*)"}));
        EXPECT_EQ(mode, c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        ASSERT_FALSE(offered.isEmpty());
        EXPECT_EQ(offered.first().toStdString(), offeredPath);
    }
    std::filesystem::remove_all(folder);
}

// A message with a check box returns whether it was ticked; its "Help..."
// button shows the help and then the message again.
TEST(QtUserInterface, MessageWithCheckBoxAndHelp) {
    struct Case {
        bool tick;
        int helpClicks;
        bool withHelp;
    } cases[] = {{false, 0, true}, {true, 0, true}, {true, 2, true}, {false, 0, false}};
    for (const Case& c : cases) {
        QtUserInterface ui;
        int helpShown = 0, shown = 0;
        if (c.withHelp) ui.help = [&] { ++helpShown; };
        ui.runDialog = [&](QDialog& d) {
            auto& box = dynamic_cast<QMessageBox&>(d);
            ++shown;
            EXPECT_EQ(box.windowTitle(), "Title");
            EXPECT_EQ(box.checkBox()->text(), "Do not show this message again.");
            QAbstractButton* help = nullptr;
            for (QAbstractButton* b : box.buttons())
                if (b->text() == "Help...") help = b;
            EXPECT_EQ(help != nullptr, c.withHelp);
            box.checkBox()->setChecked(c.tick);
            QAbstractButton* pressed = shown <= c.helpClicks ? help : box.button(QMessageBox::Ok);
            pressed->click();
            return box.result();
        };
        EXPECT_EQ(ui.messageWithCheckBox("Text", "Title", "Do not show this message again."), c.tick);
        EXPECT_EQ(helpShown, c.helpClicks);
        EXPECT_EQ(shown, c.helpClicks + 1);
    }
}

}  // namespace
}  // namespace quillet
