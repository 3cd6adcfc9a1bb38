// Aztec Code through Build/Copy and libzorvex32.so: the request record, the
// result texts, the options dialog, and symbols decoded by zxing-cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/model/app_state.h"
#include "app/render/aztec_host.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

struct AztecHarness : test::AppHarness {
    AztecHarness() { app.settings.symbology = 16; }
    bool build(const std::string& message) { return AppHarness::build(16, message); }
};

TEST(AztecRequest, FilledFromTheSettings) {
    SymbolSettings s;
    s.matrixModuleSize = 50.5f;  // ties to even: 50
    s.comment = "c";
    s.commentAbove = false;
    s.commentAlign = AlignRight;
    s.aztec.aztecSizeSpec = 203;
    s.aztec.aztecMenuSymbol = true;
    s.bold = s.underline = true;
    s.barWidthAdjust = 3 | kGainBit;
    s.orientation = Vertical270;
    s.transparent = true;
    AztecRequest r;
    fillAztecRequest(s, "MSG", r);
    EXPECT_EQ(r.ModuleSize, 50);
    EXPECT_EQ(r.MessageLength, 3);
    EXPECT_EQ(std::string(r.Message, 3), "MSG");
    EXPECT_EQ(r.CommentLength, 1);
    EXPECT_EQ(r.ModuleAdjust, -15);
    EXPECT_EQ(r.SizeSpec, 203);
    EXPECT_EQ(r.BackColor, -1);
    EXPECT_EQ(r.Orientation, 3);
    EXPECT_EQ(r.Flags, 0x4 | 0x10 | 0x400 | 0x1000 | 0x40000);
    EXPECT_EQ(r.OutputMode, 2);
    EXPECT_STREQ(r.FontName, "Arial");
    // A message longer than the field keeps its full length so the library refuses it.
    fillAztecRequest(s, std::string(4000, 'x'), r);
    EXPECT_EQ(r.MessageLength, 4000);
}

struct Trip {
    std::string name;
    std::string message;
    void (*options)(SymbolSettings&);
};

class AztecRoundTrip : public ::testing::TestWithParam<Trip> {};

TEST_P(AztecRoundTrip, ScratchMetafileDecodes) {
    AztecHarness h;
    h.app.settings.matrixModuleSize = 50;  // 5 pixels a module at 254 dpi
    if (GetParam().options) GetParam().options(h.app.settings);
    ASSERT_TRUE(h.build(GetParam().message)) << (h.ui.messages.empty() ? "" : h.ui.messages.back().text);
    auto img = test::renderWmfFile(h.app.scratchMetafilePath, 254).padded(30);
    auto d = test::decode(img, "Aztec");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Options, AztecRoundTrip,
    ::testing::Values(Trip{"plain", "Aztec Code 2D!", nullptr},
                      Trip{"comment_below_vertical", "Turned 90",
                           [](SymbolSettings& s) { s.comment = "below"; s.commentAbove = false; s.orientation = 1; }},
                      Trip{"vertical270", "Turned 270", [](SymbolSettings& s) { s.orientation = 2; }},
                      Trip{"compact3", "Compact three layers", [](SymbolSettings& s) { s.aztec.aztecSizeSpec = 103; }},
                      Trip{"ecc50", "Fifty percent", [](SymbolSettings& s) { s.aztec.aztecSizeSpec = 50; }},
                      Trip{"reduction", "Reduced modules", [](SymbolSettings& s) { s.barWidthAdjust = 2; }},
                      Trip{"binary", std::string("\x00\x01\xff\x80 bytes", 9), nullptr}),
    [](const auto& info) { return info.param.name; });

TEST(AztecBuild, UnrotatedSizeIsKeptForVerticalSymbols) {
    AztecHarness a, b;
    a.app.settings.comment = "wide";
    b.app.settings.comment = "wide";
    b.app.settings.orientation = Vertical270;
    ASSERT_TRUE(a.build("SIZE"));
    ASSERT_TRUE(b.build("SIZE"));
    EXPECT_EQ(a.app.output.symbolWidth, b.app.output.symbolWidth);
    EXPECT_EQ(a.app.output.symbolHeight, b.app.output.symbolHeight);
    auto m = test::parseMetafile(test::readFileBytes(b.app.scratchMetafilePath));
    EXPECT_EQ(m.placeable->right, b.app.output.symbolHeight);
    EXPECT_EQ(m.placeable->bottom, b.app.output.symbolWidth);
}

TEST(AztecBuild, ResultTexts) {
    struct Case { std::string message; std::string comment; float module; int selector; int result; };
    for (const Case& c : {Case{"OK", std::string(101, 'c'), 50, 0, 3}, Case{std::string(3833, '1'), "", 50, 0, 2},
                          Case{std::string(200, 'A'), "", 50, 101, 2}, Case{"M", "", 500, 0, 6},
                          Case{"M", "", 1e30f, 0, 6}, Case{"M", "", -1e30f, 0, 6}}) {
        AztecHarness h;
        h.app.settings.comment = c.comment;
        h.app.settings.matrixModuleSize = c.module;
        h.app.settings.aztec.aztecSizeSpec = c.selector;
        EXPECT_FALSE(h.build(c.message));
        ASSERT_FALSE(h.ui.messages.empty());
        EXPECT_EQ(h.ui.messages.back().title, "Cannot Create Bar Code!");
        EXPECT_EQ(h.ui.messages.back().text, aztecResultText(c.result));
        EXPECT_EQ(h.ui.messages.back().icon, platform::Icon::Exclamation);
    }
    EXPECT_EQ(aztecResultText(17), "Cannot Create an Aztec Symbol.");
}

TEST(AztecBuild, FailureClearsTheBuiltFlagOnlyWithWarningsOn) {
    struct Case { bool warnings; bool window; bool builtAfter; };
    for (const Case& c : {Case{true, true, false}, Case{true, false, false}, Case{false, true, true},
                          Case{false, false, true}}) {
        AztecHarness h;
        ASSERT_TRUE(h.build("FIRST"));
        h.app.settings.messageWarnings = c.warnings;
        h.app.settings.comment = std::string(101, 'c');
        if (!c.window) h.app.ui = nullptr;
        BuildAztecSymbol(h.app, "SECOND");
        EXPECT_EQ(h.app.settings.symbolBuilt, c.builtAfter) << c.warnings << " " << c.window;
        EXPECT_EQ(h.ui.messages.size(), c.warnings && c.window ? 1u : 0u);
    }
}

TEST(AztecBuild, WarningsOffKeepThePreviousSymbol) {
    AztecHarness h;
    ASSERT_TRUE(h.build("FIRST"));
    auto before = h.clipboard.metafilePict();
    ASSERT_TRUE(before.has_value());
    h.app.settings.messageWarnings = false;
    h.app.settings.comment = std::string(101, 'c');
    h.build("SECOND");
    EXPECT_TRUE(h.ui.messages.empty());
    auto after = h.clipboard.metafilePict();
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->hMF, before->hMF);
}

TEST(AztecOptionsDialog, OpensOnTheStoredSelector) {
    struct Case { int selector; int option; std::string text1, text2; };
    for (const Case& c : {Case{0, 0, "", ""}, Case{23, 1, "23", ""}, Case{103, 2, "", "3"}, Case{232, 3, "", "32"},
                          Case{100, 0, "", ""}, Case{150, 0, "", ""}}) {
        SymbolSettings s;
        s.aztec.aztecSizeSpec = c.selector;
        s.aztec.aztecMenuSymbol = true;
        AztecOptionsView v = openAztecOptions(s);
        EXPECT_EQ(v.option, c.option) << c.selector;
        EXPECT_EQ(v.text1, c.text1);
        EXPECT_EQ(v.text2, c.text2);
        EXPECT_EQ(v.text1Visible, c.option == 1);
        EXPECT_EQ(v.text2Visible, c.option >= 2);
        EXPECT_TRUE(v.menuSymbol);
    }
    EXPECT_TRUE(aztecOptionsKeyAccepted('7'));
    EXPECT_TRUE(aztecOptionsKeyAccepted('\b'));
    EXPECT_FALSE(aztecOptionsKeyAccepted('.'));
    EXPECT_FALSE(aztecOptionsKeyAccepted('-'));
}

TEST(AztecOptionsDialog, AcceptChecks) {
    struct Case { int option; std::string box; int selector; std::string error; };
    for (const Case& c : {Case{0, "", 0, ""}, Case{1, "23", 23, ""},
                          Case{1, "0", 0, "Error Correction Percent must be between 1 and 99%"},
                          Case{1, "100", 100, "Error Correction Percent must be between 1 and 99%"},
                          Case{2, "4", 104, ""},
                          Case{2, "0", 100, "Number of layers for a compact symbol must be between 1 and 4"},
                          Case{2, "5", 105, "Number of layers for a compact symbol must be between 1 and 4"},
                          Case{3, "32", 232, ""},
                          Case{3, "33", 233, "Number of layers for a full range symbol must be between 1 and 32"},
                          Case{1, "99999999999999999999", 1000000, "Error Correction Percent must be between 1 and 99%"},
                          Case{2, "99999999999999999999", 1000100,
                               "Number of layers for a compact symbol must be between 1 and 4"}}) {
        SymbolSettings s;
        EXPECT_EQ(acceptAztecOptions(s, c.option, c.box, true), c.error) << c.option << " " << c.box;
        EXPECT_EQ(s.aztec.aztecSizeSpec, c.selector);
        EXPECT_TRUE(s.aztec.aztecMenuSymbol);
    }
}

}  // namespace
}  // namespace quillet
