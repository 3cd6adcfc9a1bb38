// The message-file editor, Read Message From File and the help at the
// window.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/automation/command_table.h"
#include "app/model/utf8_text.h"
#include "app/window/test_support/dialog_run.h"

namespace quillet {
namespace {

using namespace test;

struct TempFile {
    std::string path;
    explicit TempFile(const std::string& name, const std::string& bytes)
        : path((std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()))).string()) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path); }
    std::string bytes() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

// Answers file dialogs with the path and hands the other dialogs to `inside`.
void answerFileDialogs(WindowFixture& f, const std::string& path, std::function<void(QDialog&)> inside) {
    f.dialog = [&f, path, inside](QDialog& d) {
        if (auto* files = qobject_cast<QFileDialog*>(&d)) {
            files->selectFile(QString::fromStdString(path));
            d.setResult(QDialog::Accepted);
            return;
        }
        inside(d);
    };
}

TEST(MessageFileEditor, OpensEditsSavesAndUsesTheFile) {
    struct Case {
        const char* what;
        std::string before;     // the file
        QString shown;          // the editor on opening
        QString edited;         // empty: left as it was
        const char* button;     // cmdSave, cmdUse or Command2
        std::string after;      // the file afterwards
        bool used;              // opened as the message file
        std::string message;
        std::vector<QString> boxes;
    } cases[] = {
        {"saved with its own CR LF", "A1\r\nB2\r\n", "A1\nB2\n", "A1\nB2\nC3", "cmdSave", "A1\r\nB2\r\nC3", false, "", {}},
        {"saved with its own LF", "A1\nB2\n", "A1\nB2\n", "X\nY", "cmdSave", "X\nY", false, "", {}},
        // Unchanged text keeps the bytes, a lone CR included.
        {"unchanged", "A\rB\n\xE9", "A\nB\n\u00E9", "", "cmdSave", "A\rB\n\xE9", false, "", {}},
        {"saved and used", "OLD\r\n", "OLD\n", "FIRST\nSECOND", "cmdUse", "FIRST\r\nSECOND", true, "FIRST", {}},
        {"closed without saving", "KEEP\r\n", "KEEP\n", "LOST", "Command2", "KEEP\r\n", false, "", {}},
        {"outside the code page", "A\r\n", "A\n", "A\n\u65E5", "cmdSave", "A\r\n", false, "",
         {QString::fromStdString(outsideCodePageText({U'\u65E5'}))}},
    };
    for (const Case& c : cases) {
        TempFile file("quillet-editor-", c.before);
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[CODE128]"));
        QString shown;
        answerFileDialogs(f, file.path, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Message File Editor");
            press(d, "cmdOpen");
            auto* text = control<QPlainTextEdit>(d, "MessageLines");
            shown = text->toPlainText();
            if (!c.edited.isEmpty()) text->setPlainText(c.edited);
            press(d, c.button);
            if (d.isVisible()) press(d, "Command2");
        });
        f.find<QAction>("EditMsgFile")->trigger();
        EXPECT_EQ(shown, c.shown) << c.what;
        EXPECT_EQ(file.bytes(), c.after) << c.what;
        EXPECT_EQ(f.app().settings.numbering.messageFileOpen, c.used) << c.what;
        if (c.used) {
            EXPECT_EQ(f.app().settings.message, c.message) << c.what;
        }
        std::vector<QString> texts;
        for (const ShownBox& b : f.boxes) texts.push_back(b.text);
        EXPECT_EQ(texts, c.boxes) << c.what;
    }
}

// The editor starts with the message file last opened.
TEST(MessageFileEditor, StartsWithTheOpenMessageFile) {
    TempFile file("quillet-open-", "ONE\r\nTWO\r\n");
    WindowFixture f;
    ASSERT_TRUE(f.session.run("[CODE128][OPENMSGFILE(" + file.path + ")]"));
    QString shown;
    f.dialog = [&](QDialog& d) {
        shown = control<QPlainTextEdit>(d, "MessageLines")->toPlainText();
        press(d, "Command2");
    };
    f.find<QAction>("EditMsgFile")->trigger();
    EXPECT_EQ(shown, "ONE\nTWO\n");
}

TEST(MessageFileEditor, ReadMessageFromFileTakesTheWholeFile) {
    struct Case {
        std::string bytes;
        bool read;
    } cases[] = {{"LINE 1\r\nLINE 2", true}, {std::string(3073, 'x'), false}};
    for (const Case& c : cases) {
        TempFile file("quillet-read-", c.bytes);
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[CODE128][MESSAGE='BEFORE']"));
        answerFileDialogs(f, file.path, [](QDialog&) {});
        f.find<QAction>("ReadMsgFile")->trigger();
        EXPECT_EQ(f.app().settings.message, c.read ? c.bytes : std::string("BEFORE")) << c.bytes.size();
        ASSERT_EQ(f.boxes.size(), c.read ? 0u : 1u);
        if (!c.read) {
            EXPECT_EQ(f.boxes[0].text, "Bar Code Message is too large! Please Re-Enter.");
        }
    }
}

TEST(HelpWindow, ListsEveryCommand) {
    WindowFixture f;
    QString text;
    f.dialog = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Quillet Help");
        text = control<QTextBrowser>(d, "HelpText")->toPlainText();
        press(d, "Command2");
    };
    f.find<QAction>("HelpCommands")->trigger();
    const std::vector<std::string> forms = commandForms();
    ASSERT_GT(forms.size(), 150u);
    for (const std::string& form : forms) EXPECT_TRUE(text.contains(QString::fromStdString(form))) << form;
    // Each listed form is one the command language knows.
    for (const char* known : {"[CODE128]", "[BUILD/COPY]", "[MESSAGE=value]", "[SAVEBARCODE(path)]", "[VERIFY]"})
        EXPECT_NE(std::find(forms.begin(), forms.end(), known), forms.end()) << known;

    f.find<QAction>("AboutBox")->trigger();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].title, "About Quillet");
    EXPECT_EQ(f.boxes[0].icon, QMessageBox::Information);
}

}  // namespace
}  // namespace quillet
