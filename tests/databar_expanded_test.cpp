// DataBar Expanded and Expanded Stacked through the command language: the
// recorded picture rendered and read back by zxing-cpp as GS1 data with the
// DataBar Expanded symbology identifier, rows of the chosen segments, the
// element strings printed under the symbol, and every refusal with its text.
#include <gtest/gtest.h>

#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

struct Session : test::AppHarness {
    Session() {
        startMainWindow(app);
        app.settings.printerWarnings = false;
        app.settings.narrowWidth = 50.8f;  // 20 mils: 6 pixels a module at 300 dpi
    }
    bool run(const std::string& execute) { return LinkExecute(app, execute) == ExecuteResult::Accepted; }
    test::Decoded read() const {
        return test::decode(test::renderWmfFile(app.scratchMetafilePath, 300).padded(60), "DataBarExpanded");
    }
};

struct Readable {
    std::string execute;  // selects, sets options and the message; the test builds
    std::string gs1;      // what zxing-cpp reads, the element strings in parentheses
};

// Every compressed method of the linear encodation, general purpose with
// its three encodations, FNC1 between variable-length fields, and Expanded
// Stacked in rows of 2, 4, 6 and 22 segments.
const Readable kReadable[] = {
    {"[RSSEXP][MESSAGE='0195012345678903' '3103000123']", "(01)95012345678903(3103)000123"},
    {"[RSSEXP][MESSAGE='0195012345678903' '3202000156']", "(01)95012345678903(3202)000156"},
    {"[RSSEXP][MESSAGE='0195012345678903' '3102000350' '11' '210315']", "(01)95012345678903(3102)000350(11)210315"},
    {"[RSSEXP][MESSAGE='0195012345678903' '3922' '1299']", "(01)95012345678903(3922)1299"},
    {"[RSSEXP][MESSAGE='0195012345678903' '3932' '978' '1299']", "(01)95012345678903(3932)9781299"},
    {"[RSSEXP][MESSAGE='0100012345678905' '10ABC123']", "(01)00012345678905(10)ABC123"},
    {"[RSSEXP][MESSAGE='10ABC-123' 128 '21serial/7']", "(10)ABC-123(21)serial/7"},
    {"[RSSEXP][MESSAGE='8110106141416543213500110000310123196000']",
     "(8110)106141416543213500110000310123196000"},
    {"[RSSEXPS][DATABARSEGMENTS=2][MESSAGE='0195012345678903' '3103000123']", "(01)95012345678903(3103)000123"},
    {"[RSSEXPS][DATABARSEGMENTS=2][MESSAGE='10AB' 29 '2112']", "(10)AB(21)12"},
    {"[RSSEXPS][MESSAGE='0100012345678905' '10ABC123' 128 '17251231']",
     "(01)00012345678905(10)ABC123(17)251231"},
    {"[RSSEXPS][DATABARSEGMENTS=6][MESSAGE='0195012345678903' '3932' '978' '1299']",
     "(01)95012345678903(3932)9781299"},
    {"[RSSEXPS][RSSSEGMENTS=6][MESSAGE='91' '7777777777777777777777777777777777777777' 'ABCDEFabcdef']",
     "(91)7777777777777777777777777777777777777777ABCDEFabcdef"},
    {"[GS1-DATABAR-EXPANDED-STACKED][DATABARSEGMENTS=22][MESSAGE='10ABC123' 128 '21XYZ']", "(10)ABC123(21)XYZ"},
    // Element strings as people write them.
    {"[RSSEXP][MESSAGE='(01)09501101530003(17)260101']", "(01)09501101530003(17)260101"},
    {"[RSSEXPS][DATABARSEGMENTS=4][MESSAGE='(10)AB12(21)XYZ(17)251231']", "(10)AB12(21)XYZ(17)251231"},
};

class ExpandedByCommand : public ::testing::TestWithParam<Readable> {};

TEST_P(ExpandedByCommand, ReadsBackAsGs1DataWithItsText) {
    const Readable& c = GetParam();
    Session session;
    ASSERT_TRUE(session.run(c.execute + "[BUILD/COPY]")) << session.lastMessage();
    ASSERT_TRUE(session.app.settings.symbolBuilt);
    const test::Decoded d = session.read();
    ASSERT_TRUE(d.ok) << c.execute;
    EXPECT_EQ(d.symbologyId, "]e0");
    EXPECT_EQ(d.text, c.gs1);
    // The element strings printed under the symbol, as the reader gives them.
    ASSERT_TRUE(session.app.output.lastSymbol);
    EXPECT_EQ(session.app.output.lastSymbol->text, c.gs1);
    int printed = 0;
    for (const auto& t : test::texts(test::parseMetafile(test::readFileBytes(session.app.scratchMetafilePath))))
        printed += t.text == c.gs1 ? 1 : 0;
    EXPECT_EQ(printed, 1);
}

INSTANTIATE_TEST_SUITE_P(Methods, ExpandedByCommand, ::testing::ValuesIn(kReadable));

// Fewer segments a row: a narrower, taller symbol of more rows, each row
// 34 modules high and three separator rows of one module between two rows.
TEST(ExpandedStacked, RowsFollowTheSegmentsPerRow) {
    const std::string data = "[MESSAGE='0100012345678905' '10ABCDEFGHIJKL' 128 '21' '1234567890']";
    const int X = 20;
    int lastWidth = 1 << 30, lastHeight = 0;
    for (int segments : {22, 10, 6, 4, 2}) {
        Session session;
        session.app.settings.narrowWidth = float(X);
        ASSERT_TRUE(session.run("[RSSEXPS][TEXT=OFF][DATABARSEGMENTS=" + std::to_string(segments) + "]" + data +
                                "[BUILD/COPY]"))
            << session.lastMessage();
        const int W = session.app.output.symbolWidth, H = session.app.output.symbolHeight;
        EXPECT_LT(W, lastWidth) << segments;
        EXPECT_GT(H, lastHeight) << segments;
        // rows of 34X and 3X between each two
        EXPECT_EQ((H / X + 3) % 37, 0) << segments << " segments, height " << H;
        // A row holds its guards (4 modules) and at most segments / 2 pairs of two
        // characters (17 modules) and a finder (15).
        EXPECT_LE(W / X, 4 + (segments / 2) * 49) << segments;
        lastWidth = W;
        lastHeight = H;
    }
}

// With a composite message the component stands over the top row and the
// linear part still reads.
TEST(ExpandedComposite, ComponentOverTheTopRow) {
    struct Case { std::string select; };
    for (const Case& c : {Case{"[RSSEXP]"}, Case{"[RSSEXPS][DATABARSEGMENTS=4]"}}) {
        Session plain, linked;
        const std::string data = "[MESSAGE='0195012345678903' '3103000123']";
        ASSERT_TRUE(plain.run(c.select + "[TEXT=OFF]" + data + "[BUILD/COPY]")) << plain.lastMessage();
        ASSERT_TRUE(linked.run(c.select + "[TEXT=OFF][COMPOSITE=10ABC123]" + data + "[BUILD/COPY]"))
            << linked.lastMessage();
        const int X = 51;  // 50.8 units rounded
        // The component's rows of 2X (3 at least in 4 columns) and its separator of X.
        const int added = linked.app.output.symbolHeight - plain.app.output.symbolHeight;
        EXPECT_EQ(added % X, 0) << c.select;
        EXPECT_EQ(added / X % 2, 1) << c.select;
        EXPECT_GE(added, 7 * X) << c.select;
        EXPECT_EQ(linked.app.output.symbolWidth, plain.app.output.symbolWidth) << c.select;
        // The component begins one light module in from the top row's left
        // edge: its first bar, of the left row address pattern, two modules in.
        int firstBar = 1 << 30;
        for (const auto& r : test::rectangles(test::parseMetafile(test::readFileBytes(linked.scratch()))))
            if (r.top == 0 && r.width() != linked.app.output.symbolWidth) firstBar = std::min(firstBar, r.left);
        EXPECT_EQ(firstBar, 2 * X) << c.select;
        EXPECT_TRUE(linked.read().ok) << c.select;
    }
}

struct Refusal {
    std::string execute;
    int code;
};

class ExpandedRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(ExpandedRefusal, RefusedWithItsText) {
    Session session;
    EXPECT_FALSE(session.run(GetParam().execute + "[BUILD/COPY]"));
    EXPECT_EQ(session.lastMessage(), messageText(GetParam().code)) << GetParam().execute;
    EXPECT_FALSE(session.app.settings.symbolBuilt);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ExpandedRefusal,
    ::testing::Values(Refusal{"[RSSEXP][MESSAGE=]", -1}, Refusal{"[RSSEXPS][MESSAGE=]", -1},  // Build/Copy's own
                      Refusal{"[RSSEXP][MESSAGE='10AB' 1]", 39},                 // a control character
                      Refusal{"[RSSEXP][MESSAGE='10' 200]", 39},                 // outside the character set
                      Refusal{"[RSSEXP][MESSAGE='91" + std::string(80, 'A') + "']", 39},  // past 21 data characters
                      Refusal{"[RSSEXPS][DATABARSEGMENTS=2][COMPOSITE=10ABC][MESSAGE='10AB']", 40},
                      Refusal{"[RSSEXP][COMPOSITE=" + std::string(339, '1') + "][MESSAGE='10AB']", 37},
                      Refusal{"[RSSEXPS][COMPOSITE=10AB~][MESSAGE='10AB']", 37}));

// A faulty element string is refused with the fault its AI check names.
TEST(ExpandedElementString, FaultNamesTheAi) {
    for (const char* select : {"[RSSEXP]", "[RSSEXPS]"}) {
        Session session;
        EXPECT_FALSE(session.run(std::string(select) + "[MESSAGE='(01)09501101530004(17)260101'][BUILD/COPY]"));
        EXPECT_EQ(session.lastMessage(), "GS1 AI (01): the check digit is 4, it should be 3") << select;
        EXPECT_FALSE(session.app.settings.symbolBuilt) << select;
    }
}

}  // namespace
}  // namespace quillet
