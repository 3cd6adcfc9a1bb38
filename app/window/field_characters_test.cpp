// Text beyond the code page typed into the window goes the way UTF-8 text
// from the command line goes: refused with the characters named, or, in the
// message under the UTF-8 character set, kept and encoded as UTF-8.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "app/automation/dde_link.h"
#include "app/window/test_support/window_fixture.h"
#include "platform/codepage.h"

namespace quillet {
namespace {

using test::Session;
using test::WindowFixture;

// Types each character as one key press, as a keyboard or input method
// delivers characters beyond the 16-bit range.
void typeCharacters(WindowFixture& f, const char* box, const QString& text) {
    auto* edit = f.find<QLineEdit>(box);
    edit->setFocus();
    edit->end(false);
    for (char32_t c : text.toStdU32String())
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromStdU32String(std::u32string(1, c)),
                            Qt::NoModifier);
}

// What the command line says for the same text.
std::string commandLineRefusal(const std::string& utf8) {
    Session s;
    EXPECT_EQ(LinkExecuteUtf8(s.app, "[COMMENT=" + utf8 + "]"), ExecuteResult::Refused) << utf8;
    return s.ui.messages.empty() ? std::string() : s.ui.messages.back().text;
}

TEST(FieldCharacters, OutsideTheCodePageIsRefusedAsFromTheCommandLine) {
    struct Case {
        std::string setup;
        const char* box;
        QString typed;
        std::string keptUtf8;                 // what the box keeps
        std::vector<std::string> refusedUtf8;  // one refusal per character, in order
    } cases[] = {
        {"[CODE128]", "Message", "Grüße 日本", "Grüße ", {"日", "本"}},
        {"[CODE128][DISPLAYANSI]", "Message", "A✓B", "AB", {"✓"}},
        {"[CODE128]", "Comment", "xéy😀", "xéy", {"😀"}},
        {"[CODE128][DISPLAYANSI]", "Comment", "x€y😀", "x€y", {"😀"}},
        {"[EAN13]", "Supplement", "1٢2", "12", {"٢"}},
        // The UTF-8 character set is for the message only.
        {"[DATAMATRIX][UTF8=ON]", "Comment", "Ω", "", {"Ω"}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        typeCharacters(f, c.box, c.typed);
        const SymbolSettings& s = f.app().settings;
        const std::string stored = std::string(c.box) == "Message"   ? s.message
                                   : std::string(c.box) == "Comment" ? s.comment
                                                                     : s.supplement;
        const std::string expected = s.characterSet == CharsetAscii
                                         ? platform::utf8ToOem(c.keptUtf8)
                                         : platform::utf8ToAnsi(c.keptUtf8);
        EXPECT_EQ(stored, expected) << c.setup << " " << c.box;
        EXPECT_EQ(f.find<QLineEdit>(c.box)->text(), QString::fromStdString(c.keptUtf8)) << c.setup;
        ASSERT_EQ(f.boxes.size(), c.refusedUtf8.size()) << c.setup << " " << c.box;
        for (size_t i = 0; i < c.refusedUtf8.size(); ++i)
            EXPECT_EQ(f.boxes[i].text.toStdString(), commandLineRefusal(c.refusedUtf8[i])) << c.setup;
    }
}

TEST(FieldCharacters, Utf8CharacterSetKeepsTheMessageAsTyped) {
    struct Case {
        std::string setup;
        const char* format;
        QString typed;
    } cases[] = {
        {"[QR][UTF8=ON]", "QRCode", "Grüße 日本"},
        {"[DATAMATRIX][UTF8=ON]", "DataMatrix", "😀 ok"},
        {"[AZTEC][UTF8=ON]", "Aztec", "Ωmega"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        typeCharacters(f, "Message", c.typed);
        EXPECT_TRUE(f.boxes.empty()) << c.setup;
        EXPECT_EQ(f.app().settings.message, c.typed.toStdString()) << c.setup;
        EXPECT_EQ(f.find<QLineEdit>("Message")->text(), c.typed) << c.setup;
        // The same as the command line makes of it.
        Session fromCommandLine;
        ASSERT_EQ(LinkExecuteUtf8(fromCommandLine.app, c.setup + "[MESSAGE='" + c.typed.toStdString() + "']"),
                  ExecuteResult::Accepted);
        EXPECT_EQ(fromCommandLine.s().message, f.app().settings.message) << c.setup;
        f.pressBuildCopy();
        EXPECT_EQ(test::decode(f.preview(), c.format).text, c.typed.toStdString()) << c.setup;
    }
}

// Pasting another program's text: refused as typing is, or kept in a
// UTF-8 message (at the selection, which counts characters, not bytes).
TEST(FieldCharacters, PastedTextGoesTheSameWay) {
    struct Case {
        std::string setup;
        const char* box;
        QString pasted;
        std::string message, comment;  // afterwards, as stored
        bool refused;
    } cases[] = {
        {"[CODE128][MESSAGE='KEEP']", "Message", "Grüße 日本", "KEEP", "", true},
        {"[CODE128][MESSAGE='KEEP']", "Comment", "Ω", "KEEP", "", true},
        {"[CODE128][DISPLAYANSI]", "Message", "Grüße", platform::utf8ToAnsi("Grüße"), "", false},
        {"[QR][UTF8=ON][MESSAGE='KEEP']", "Message", "日本", "日本", "", false},
        {"[DATAMATRIX][UTF8=ON][MESSAGE='KEEP']", "Comment", "日本", "KEEP", "", true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        QGuiApplication::clipboard()->setText(c.pasted);
        auto* box = f.find<QLineEdit>(c.box);
        box->setFocus();
        box->selectAll();
        f.find<QAction>("MPaste")->trigger();
        EXPECT_EQ(f.app().settings.message, c.message) << c.setup << " " << c.box;
        EXPECT_EQ(f.app().settings.comment, c.comment) << c.setup << " " << c.box;
        ASSERT_EQ(f.boxes.size(), c.refused ? 1u : 0u) << c.setup << " " << c.box;
        if (c.refused) {
            EXPECT_EQ(f.boxes[0].text.toStdString(), commandLineRefusal(c.pasted.toStdString())) << c.setup;
        }
    }
}

// Within a UTF-8 message a selection is replaced where the box shows it.
TEST(FieldCharacters, PasteIntoAUtf8MessageSelection) {
    WindowFixture f;
    ASSERT_TRUE(f.session.run("[QR][UTF8=ON][MESSAGE='xx']"));
    f.window->refresh();
    typeCharacters(f, "Message", "日本語");  // "xx日本語"
    auto* box = f.find<QLineEdit>("Message");
    box->setSelection(3, 1);  // 本
    QGuiApplication::clipboard()->setText("€");
    f.find<QAction>("MPaste")->trigger();
    EXPECT_EQ(f.app().settings.message, "xx日€語");
    EXPECT_EQ(box->text(), "xx日€語");
    EXPECT_TRUE(f.boxes.empty());
}

}  // namespace
}  // namespace quillet
