// GS1 element strings typed as the message of GS1-128 and GS1 DataBar: the
// symbols read back with the GS1 symbology identifier and the AI data, and
// every fault is reported with its own text.
#include <gtest/gtest.h>

#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

struct Gs1Trip {
    const char* name;
    int symbology;
    const char* message;
    const char* format;
    const char* bytes;  // what a reader returns, separators as GS
    const char* id;
    bool gs1Mode = false;  // the GS1 mode of Data Matrix and QR Code
};

class Gs1RoundTrip : public ::testing::TestWithParam<Gs1Trip> {};

TEST_P(Gs1RoundTrip, DecodesAsGs1Data) {
    const Gs1Trip& t = GetParam();
    test::AppHarness h;
    h.app.settings.narrowWidth = 50;  // 5 pixels a module at 254 dpi
    h.app.settings.matrixModuleSize = 50;
    h.app.settings.printerWarnings = false;
    h.app.settings.gs1Mode = t.gs1Mode;
    ASSERT_TRUE(h.build(t.symbology, t.message)) << h.lastMessage();
    const auto img = test::renderWmfFile(h.scratch(), 254).padded(60);
    const auto d = test::decode(img, t.format);
    ASSERT_TRUE(d.ok) << t.name;
    EXPECT_EQ(d.bytes, t.bytes);
    EXPECT_EQ(d.symbologyId, t.id);
    // The typed message stays what was typed.
    EXPECT_EQ(h.app.settings.message, t.message);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, Gs1RoundTrip,
    ::testing::Values(
        Gs1Trip{"gs1_128", 14, "(01)09501101530003(17)260101", "Code128", "010950110153000317260101", "]C1"},
        Gs1Trip{"gs1_128_lot", 14, "(01)09501101530003(10)AB12(17)260101", "Code128",
                "010950110153000310AB12\x1d" "17260101", "]C1"},
        Gs1Trip{"gs1_128_brackets", 14, "[21]X-1[422]276", "Code128", "21X-1\x1d" "422276", "]C1"},
        // The reader gives DataBar's GTIN without its AI.
        Gs1Trip{"databar", 20, "(01)09501101530003", "DataBar", "09501101530003", "]e0"},
        Gs1Trip{"databar_stacked", 21, "(01)09501101530003", "DataBar", "09501101530003", "]e0"},
        Gs1Trip{"datamatrix", 17, "(01)09501101530003(10)AB12(17)260101", "DataMatrix",
                "010950110153000310AB12\x1d" "17260101", "]d2", true},
        Gs1Trip{"datamatrix_brackets", 17, "[00]106141411234567897[21]X-1", "DataMatrix",
                "0010614141123456789721X-1", "]d2", true},
        Gs1Trip{"qr", 18, "(01)09501101530003(10)AB12(17)260101", "QRCode",
                "010950110153000310AB12\x1d" "17260101", "]Q3", true},
        // A literal % and lower case beside FNC1 separators.
        Gs1Trip{"qr_percent", 18, "(01)09501101530003(21)5%OFF(10)x1", "QRCode",
                "010950110153000321" "5%OFF\x1d" "10x1", "]Q3", true},
        Gs1Trip{"qr_brackets", 18, "[00]106141411234567897[21]X-1", "QRCode", "0010614141123456789721X-1", "]Q3",
                true}));

// GS1 data in QR Code is for Model 2: Micro QR has no FNC1 mode, and a
// message that is not an element string is refused as in Data Matrix.
TEST(Gs1QrCode, MicroQrAndBadElementStringsAreRefused) {
    test::AppHarness h;
    h.app.settings.printerWarnings = false;
    h.app.settings.gs1Mode = true;
    h.app.settings.qr.qrModel = 3;
    EXPECT_FALSE(h.build(18, "(01)09501101530003"));
    EXPECT_EQ(h.lastMessage(),
              "MicroQR symbols cannot carry GS1 data.  Please select Model 2 in the QR Code Advanced Options, or "
              "turn GS1 Element Strings off.");
    h.app.settings.qr.qrModel = 2;
    EXPECT_FALSE(h.build(18, "(01)09501101530004"));
    EXPECT_EQ(h.lastMessage(), "GS1 AI (01): the check digit is 4, it should be 3");
    EXPECT_TRUE(h.build(18, "(01)09501101530003")) << h.lastMessage();
    // Off again, the same text is plain data.
    h.app.settings.gs1Mode = false;
    EXPECT_TRUE(h.build(18, "(01)09501101530003")) << h.lastMessage();
    const auto d = test::decode(test::renderWmfFile(h.scratch(), 254).padded(60), "QRCode");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, "(01)09501101530003");
    EXPECT_EQ(d.symbologyId, "]Q1");
}

// Every DataBar variant draws "(01)" and a GTIN-14 exactly as the GTIN's
// first 13 digits typed alone.
TEST(Gs1DataBar, ElementStringDrawsAsTheBareDigits) {
    for (int variant : {20, 21, 22, 23}) {
        test::AppHarness element, digits;
        ASSERT_TRUE(element.build(variant, "(01)09501101530003")) << variant << element.lastMessage();
        ASSERT_TRUE(digits.build(variant, "0950110153000")) << variant;
        const std::vector<uint8_t> drawn = test::readFileBytes(element.scratch());
        EXPECT_FALSE(drawn.empty());
        EXPECT_EQ(drawn, test::readFileBytes(digits.scratch())) << variant;
    }
}

struct Gs1Refusal {
    int symbology;
    const char* message;
    const char* text;
};

class Gs1Refused : public ::testing::TestWithParam<Gs1Refusal> {};

TEST_P(Gs1Refused, ReportsTheFault) {
    const Gs1Refusal& t = GetParam();
    test::AppHarness h;
    h.app.settings.printerWarnings = false;
    h.app.settings.gs1Mode = true;  // Data Matrix reads element strings
    EXPECT_FALSE(h.build(t.symbology, t.message));
    EXPECT_EQ(h.lastMessage(), t.text);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, Gs1Refused,
    ::testing::Values(
        Gs1Refusal{14, "(01)09501101530004", "GS1 AI (01): the check digit is 4, it should be 3"},
        Gs1Refusal{14, "(01)095011015300", "GS1 AI (01): the data must be 14 digits, not 12"},
        Gs1Refusal{14, "(23)1", "GS1 AI (23) is not a known Application Identifier"},
        Gs1Refusal{14, "(01)09501101530003(17", "GS1 element string: \"(17\" lacks its closing )"},
        Gs1Refusal{20, "(01)09501101530004", "GS1 AI (01): the check digit is 4, it should be 3"},
        Gs1Refusal{21, "(01)09501101530003(17)260101",
                   "GS1 DataBar carries AI (01) alone; further AIs go in the composite message"},
        Gs1Refusal{23, "(17)261301", "GS1 AI (17): \"261301\" is not a date YYMMDD"},
        Gs1Refusal{17, "(01)09501101530004", "GS1 AI (01): the check digit is 4, it should be 3"},
        Gs1Refusal{17, "0109501101530003", "GS1 element string: it must begin with an AI in parentheses"},
        Gs1Refusal{17, "(10)AB~1", "GS1 AI (10): character 3 (\"~\") is not in the GS1 character set"},
        Gs1Refusal{17, "(23)1", "GS1 AI (23) is not a known Application Identifier"}));

}  // namespace
}  // namespace quillet
