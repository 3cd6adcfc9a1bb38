// The desktop clipboard while the window runs: every Build/Copy offers the
// symbol as a PNG image at the target printer's resolution, as the
// placeable metafile and as the message text; Paste reads the desktop's
// text; the in-process clipboard keeps what the commands see.
#include "app/window/desktop_clipboard.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>

#include <cmath>
#include <fstream>
#include <iterator>

#include "app/window/symbol_mime_data.h"
#include "platform/codepage.h"
#include "app/window/test_support/window_fixture.h"

namespace quillet {
namespace {

using test::WindowFixture;

QClipboard* desktop() { return QGuiApplication::clipboard(); }

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DesktopClipboard, BuildCopyOffersImageMetafileAndText) {
    struct Case {
        std::string setup;  // execute string run before building
        QString typed;      // typed into the message box when given
        bool byCommand;     // built by [BUILD/COPY] rather than the button
        int dpiX, dpiY;
        std::string format;
        std::string decoded;  // UTF-8
        QString text;
    } cases[] = {
        {"[CODE39][HORIZONTALDPI=203][VERTICALDPI=406]", "QUILLET 39", false, 203, 406, "Code39", "QUILLET 39",
         "QUILLET 39"},
        {"[CODE128][HORIZONTALDPI=600][VERTICALDPI=600]", "Hello 128", false, 600, 600, "Code128", "Hello 128",
         "Hello 128"},
        {"[CODE39][MESSAGE='BY COMMAND']", "", true, 300, 300, "Code39", "BY COMMAND", "BY COMMAND"},
        {"[QR]", "https://example.com/clip", false, 300, 300, "QRCode", "https://example.com/clip",
         "https://example.com/clip"},
        {"[DATAMATRIX][HORIZONTALDPI=600][VERTICALDPI=600][MESSAGE='DM ON THE DESKTOP']", "", true, 600, 600,
         "DataMatrix", "DM ON THE DESKTOP", "DM ON THE DESKTOP"},
        {"[EAN13]", "590123412345", false, 300, 300, "EAN-13", "5901234123457", "590123412345"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        desktop()->clear();
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        if (!c.typed.isEmpty()) f.typeInto("Message", c.typed);
        if (c.byCommand) ASSERT_TRUE(f.session.run("[BUILD/COPY]")) << c.setup;
        else f.pressBuildCopy();
        ASSERT_TRUE(f.app().settings.symbolBuilt) << c.setup;

        const QMimeData* data = desktop()->mimeData();
        ASSERT_NE(data, nullptr) << c.setup;
        EXPECT_TRUE(data->hasFormat(kPngFormat)) << c.setup;
        EXPECT_TRUE(data->hasFormat(kWmfFormat)) << c.setup;
        const QImage png = QImage::fromData(data->data(kPngFormat), "PNG");
        ASSERT_FALSE(png.isNull()) << c.setup;
        const RecordedMetafile& picture = f.app().output.lastSymbol->metafile;
        EXPECT_NEAR(png.width(), picture.xExt / 2540.0 * c.dpiX, 1.0) << c.setup;
        EXPECT_NEAR(png.height(), picture.yExt / 2540.0 * c.dpiY, 1.0) << c.setup;
        EXPECT_NEAR(png.dotsPerMeterX() * 0.0254, c.dpiX, 0.5) << c.setup;
        EXPECT_NEAR(png.dotsPerMeterY() * 0.0254, c.dpiY, 0.5) << c.setup;
        const test::Decoded d = test::decode(test::greyImage(png).padded(40), c.format);
        EXPECT_TRUE(d.ok) << c.setup;
        EXPECT_EQ(d.text, c.decoded) << c.setup;

        // The metafile is the placeable file the build wrote.
        const QByteArray wmf = data->data(kWmfFormat);
        EXPECT_EQ(std::string(wmf.constData(), size_t(wmf.size())), fileBytes(f.app().scratchMetafilePath))
            << c.setup;
        EXPECT_EQ(data->text(), c.text) << c.setup;

        // The in-process clipboard holds the picture as its only format.
        ASSERT_TRUE(f.session.clipboard.metafilePict()) << c.setup;
        EXPECT_EQ(f.session.clipboard.metafilePict()->xExt, picture.xExt) << c.setup;
        EXPECT_FALSE(f.session.clipboard.text()) << c.setup;
    }
}

// A build that fails empties the clipboard: our stale symbol leaves the
// desktop, another program's data stays.
TEST(DesktopClipboard, FailedBuildWithdrawsOnlyOurSymbol) {
    struct Case {
        bool othersData;
        bool pngAfter, textAfter;
        QString textBefore;
    } cases[] = {
        {false, false, false, ""},
        {true, false, true, "copied elsewhere"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[UPCA][MESSAGE='12345678901'][BUILD/COPY][MESSAGEWARNINGS=OFF]"));
        ASSERT_TRUE(desktop()->mimeData()->hasFormat(kPngFormat));
        if (c.othersData) desktop()->setText(c.textBefore);
        EXPECT_FALSE(f.session.run("[MESSAGE=][BUILD/COPY]"));
        const QMimeData* data = desktop()->mimeData();
        EXPECT_EQ(data && data->hasFormat(kPngFormat), c.pngAfter) << c.othersData;
        EXPECT_EQ(data && data->hasText(), c.textAfter) << c.othersData;
        if (c.textAfter) {
            EXPECT_EQ(data->text(), c.textBefore);
        }
        EXPECT_FALSE(f.session.clipboard.metafilePict()) << c.othersData;
    }
}

// Paste takes the desktop's text into the message at the selection, or
// into the comment when that box has the focus.
TEST(DesktopClipboard, PasteReadsTheDesktopText) {
    struct Case {
        const char* box;    // focused before pasting
        QString before;     // typed first
        int selStart, selLength;
        QString desktopText;
        std::string message, comment;
    } cases[] = {
        {"Message", "", 0, 0, "PASTED 1", "PASTED 1", ""},
        {"Message", "ABCDEF", 2, 2, "xy", "ABxyEF", ""},
        {"Message", "OLD", 0, 0, QString::fromUtf8("Caf\xC3\xA9"), "Caf\xE9", ""},
        {"Comment", "", 0, 0, "shelf 4", "", "shelf 4"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        f.session.run("[DISPLAYANSI]");
        f.window->refresh();
        if (!c.before.isEmpty()) f.typeInto("Message", c.before);
        desktop()->setText(c.desktopText);
        QAction* paste = f.find<QAction>("MPaste");
        ASSERT_TRUE(paste->isEnabled()) << c.box;
        auto* box = f.find<QLineEdit>(c.box);
        box->setFocus();
        if (c.selLength > 0) box->setSelection(c.selStart, c.selLength);
        paste->trigger();
        EXPECT_EQ(f.app().settings.message, c.message) << c.box << " " << c.desktopText.toStdString();
        EXPECT_EQ(f.app().settings.comment, c.comment) << c.box;
        // What the commands see is the text pasted.
        EXPECT_EQ(f.session.clipboard.text(), platform::utf8ToAnsi(c.desktopText.toStdString())) << c.box;
    }
}

// Text from another program that the code page cannot hold is refused with
// the characters named, the message left as it was; with the UTF-8
// character set the message takes it whole (the comment never does).
TEST(DesktopClipboard, PasteBeyondTheCodePage) {
    const QString japanese = QString::fromUtf8("\u65E5\u672C 1");
    struct Case {
        const char* setup;
        const char* box;
        std::string message, comment;
        bool refused;
    } cases[] = {
        {"[DISPLAYANSI][QR][MESSAGE='OLD']", "Message", "OLD", "", true},
        {"[DISPLAYANSI][UTF8=ON][QR][MESSAGE='OLD']", "Message", japanese.toStdString(), "", false},
        {"[DISPLAYANSI][UTF8=ON][CODE128][MESSAGE='OLD']", "Comment", "OLD", "", true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        desktop()->setText(japanese);
        f.find<QLineEdit>(c.box)->setFocus();
        if (std::string(c.box) == "Message") f.find<QLineEdit>(c.box)->selectAll();
        f.find<QAction>("MPaste")->trigger();
        EXPECT_EQ(f.app().settings.message, c.message) << c.setup << c.box;
        EXPECT_EQ(f.app().settings.comment, c.comment) << c.setup << c.box;
        ASSERT_EQ(f.boxes.size(), c.refused ? 1u : 0u) << c.setup << c.box;
        if (c.refused) {
            EXPECT_NE(f.boxes[0].text.indexOf("U+65E5, U+672C"), -1) << f.boxes[0].text.toStdString();
        }
    }
}

TEST(DesktopClipboard, PasteIsEnabledWhileTextIsThere) {
    WindowFixture f;
    QAction* paste = f.find<QAction>("MPaste");
    desktop()->clear();
    EXPECT_FALSE(paste->isEnabled());
    desktop()->setText("now there is text");
    EXPECT_TRUE(paste->isEnabled());
    desktop()->clear();
    EXPECT_FALSE(paste->isEnabled());
    // Text a command copied counts too.
    ASSERT_TRUE(f.session.run("[MESSAGE='MSG'][COPYMESSAGE]"));
    f.window->refresh();
    EXPECT_TRUE(paste->isEnabled());
    EXPECT_EQ(desktop()->text(), "MSG");
}

}  // namespace
}  // namespace quillet
