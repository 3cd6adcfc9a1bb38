// Text beyond the ANSI code page arriving as UTF-8: refused with the
// characters named unless the UTF-8 character set is on and the symbology
// carries it; then a reader returns exactly the text typed.
#include <gtest/gtest.h>

#include "app/automation/config_file.h"
#include "app/automation/dde_link.h"
#include "app/model/symbology.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"

namespace quillet {
namespace {

const std::string kRefusal =
    "The text holds characters that the ANSI code page cannot hold: U+65E5, U+672C. Only QR Code, Data Matrix, "
    "Aztec Code and PDF417 carry them, with the UTF-8 character set on (Preferences menu, [UTF8=ON]).";

struct Session : test::AppHarness {
    Session() {
        ui.echo = false;
        app.settings.printerWarnings = false;
        app.settings.matrixModuleSize = 50;  // 5 pixels a module at 254 dpi
        app.settings.pdfModuleWidth = 50;
        app.settings.pdfModuleHeight = 150;
    }
    bool run(const std::string& utf8) { return LinkExecuteUtf8(app, utf8) == ExecuteResult::Accepted; }
};

TEST(Utf8Text, OutsideTheCodePageRefusedForEverySymbologyWithoutUtf8) {
    for (int code = 1; code <= 25; ++code) {
        Session s;
        const std::string select(symbologyInfo(code).keywords[0]);
        ASSERT_TRUE(s.run(select + "[MESSAGE='kept']")) << select;
        EXPECT_FALSE(s.run(select + "[MESSAGE='Grüße 日本 日']")) << select;
        EXPECT_EQ(s.lastMessage(), kRefusal) << select;
        EXPECT_EQ(s.app.settings.message, "kept") << select;
        // Characters the code page holds still arrive in it.
        ASSERT_TRUE(s.run("[MESSAGE='Grüße']")) << select;
        EXPECT_EQ(s.app.settings.message, "Gr\xFC\xDF" "e") << select;
    }
}

TEST(Utf8Text, OtherSymbologiesRefuseAtBuildUnderUtf8) {
    const struct { const char* select; const char* text; bool builds; } cases[] = {
        {"[CODE128]", "Grüße 日本", false}, {"[CODE39]", "日本", false}, {"[CODE128]", "UTF-8 is on", true},
        {"[CODABAR]", "A日本B", false},
    };
    for (const auto& c : cases) {
        Session s;
        ASSERT_TRUE(s.run(std::string("[UTF8=ON]") + c.select + "[MESSAGE='" + c.text + "']"));
        EXPECT_EQ(s.app.settings.message, c.text);  // kept as typed
        EXPECT_EQ(s.run("[BUILD/COPY]"), c.builds) << c.text;
        if (!c.builds) {
            EXPECT_EQ(s.lastMessage(), kRefusal) << c.text;
        }
        EXPECT_EQ(s.app.settings.message, c.text);
    }
}

struct Trip {
    const char* select;
    const char* format;
    const char* text;
};

class Utf8RoundTrip : public ::testing::TestWithParam<Trip> {};

TEST_P(Utf8RoundTrip, ReaderReturnsTheTypedText) {
    const Trip& t = GetParam();
    Session s;
    ASSERT_TRUE(s.run(std::string("[UTF8=ON]") + t.select + "[MESSAGE='" + t.text + "'][BUILD/COPY]"))
        << s.lastMessage();
    const auto img = test::renderWmfFile(s.scratch(), 254).padded(40);
    const auto d = test::decode(img, t.format);
    ASSERT_TRUE(d.ok) << t.select << " " << t.text;
    EXPECT_EQ(d.text, t.text);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, Utf8RoundTrip,
    ::testing::Values(Trip{"[QR]", "QRCode", "Grüße 日本"}, Trip{"[QR]", "QRCode", "日本 😀"},
                      Trip{"[DATAMATRIX]", "DataMatrix", "Grüße 日本"}, Trip{"[DATAMATRIX]", "DataMatrix", "日本 😀"},
                      Trip{"[AZTEC]", "Aztec", "Grüße 日本"}, Trip{"[AZTEC]", "Aztec", "日本 😀"},
                      Trip{"[PDF417]", "PDF417", "Grüße 日本"}, Trip{"[PDF417]", "PDF417", "日本 😀"}));

TEST(Utf8Text, SwitchKeepsTheMessageAndSavesItsLine) {
    Session s;
    ASSERT_TRUE(s.run("[QR][MESSAGE='Grüße']"));
    ASSERT_TRUE(s.run("[UTF8=ON]"));
    EXPECT_EQ(s.app.settings.message, "Grüße");
    EXPECT_TRUE(s.app.settings.utf8Text);
    ASSERT_TRUE(s.run("[MESSAGE='日本']"));
    // Back to the code page would lose the characters: refused, still on.
    EXPECT_FALSE(s.run("[UTF8=OFF]"));
    EXPECT_EQ(s.lastMessage(), kRefusal);
    EXPECT_TRUE(s.app.settings.utf8Text);

    const std::string path = test::tempPath("utf8", ".qcf");
    ASSERT_TRUE(s.run("[SAVECONFIG(" + path + ")]"));
    Session again;
    ASSERT_TRUE(OpenConfiguration(again.app, path));
    EXPECT_TRUE(again.app.settings.utf8Text);
    EXPECT_EQ(again.app.settings.message, "日本");  // the file keeps the bytes
    ASSERT_TRUE(again.run("[MESSAGE='Gruß'][UTF8=OFF]"));
    EXPECT_EQ(again.app.settings.message, "Gru\xDF");
    std::remove(path.c_str());
}

}  // namespace
}  // namespace quillet
