// The golden corpus: the exact placeable metafile bytes of a fixed list of
// symbols, one per symbology and per option that changes drawing. A change
// to drawing shows up here as a difference; after a deliberate change run
//   QUILLET_GOLDEN_GENERATE=1 build/tests/system_tests --gtest_filter='Golden*'
// and review the rewritten files under tests/golden/ as a diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/render/builders.h"
#include "tests/support/app_harness.h"

#ifndef QUILLET_GOLDEN_DIR
#error "QUILLET_GOLDEN_DIR must name tests/golden in the source tree"
#endif

namespace quillet {
namespace {

struct GoldenSymbol {
    std::string name;     // file stem under tests/golden/
    std::string execute;  // selects, sets options and the message, builds
    std::function<void(AppState&)> prepare = {};  // settings no command reaches
};

void PrintTo(const GoldenSymbol& g, std::ostream* os) { *os << g.name; }

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool generating() {
    const char* g = std::getenv("QUILLET_GOLDEN_GENERATE");
    return g && *g && std::string(g) != "0";
}

// Builds the symbol in a fresh session and returns the scratch placeable
// metafile's bytes, or the message that refused it.
std::string buildGolden(const GoldenSymbol& g, std::string& refused) {
    test::AppHarness h;
    startMainWindow(h.app);
    h.app.settings.printerWarnings = false;
    if (g.prepare) g.prepare(h.app);
    if (g.execute.rfind("FIM", 0) == 0) {
        BuildFimPattern(h.app, g.execute[3] - '0');
    } else if (LinkExecute(h.app, g.execute) == ExecuteResult::Refused) {
        refused = h.lastMessage();
        return {};
    }
    return readBytes(h.app.scratchMetafilePath);
}

class Golden : public ::testing::TestWithParam<GoldenSymbol> {};

TEST_P(Golden, MetafileBytesUnchanged) {
    const GoldenSymbol& g = GetParam();
    std::string refused;
    const std::string bytes = buildGolden(g, refused);
    ASSERT_FALSE(bytes.empty()) << g.name << " was not built: " << refused;
    const std::filesystem::path file = std::filesystem::path(QUILLET_GOLDEN_DIR) / (g.name + ".wmf");
    if (generating()) {
        std::ofstream(file, std::ios::binary) << bytes;
        SUCCEED() << "rewrote " << file;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << file << " is missing; run the generate mode";
    const std::string golden = readBytes(file);
    ASSERT_EQ(bytes.size(), golden.size()) << g.name;
    size_t first = 0;
    while (first < bytes.size() && bytes[first] == golden[first]) ++first;
    EXPECT_EQ(first, bytes.size()) << g.name << ": first difference at byte " << first;
}

// Every symbology once with its defaults, then the options that change what
// is drawn. The same settings twice would add nothing, so each row differs.
const GoldenSymbol kCorpus[] = {
    {"code39", "[CODE39][MESSAGE='QUILLET 39'][BUILD/COPY]"},
    {"code39_check", "[CODE39][CODE39CHECK=ON][MESSAGE='HELLO'][BUILD/COPY]"},
    {"code39_full_ascii", "[CODE39FULLASCII][MESSAGE='Full ascii' 9][BUILD/COPY]"},
    {"upca", "[UPCA][MESSAGE='01234567890'][BUILD/COPY]"},
    {"upca_addon5", "[UPCA][MESSAGE='01234567890'][SUPPLEMENT='51234'][BUILD/COPY]"},
    {"upce", "[UPCE][MESSAGE='123456'][BUILD/COPY]"},
    {"upce1", "[UPCE1][MESSAGE='654321'][BUILD/COPY]"},
    {"ean8", "[EAN8][MESSAGE='9638507'][BUILD/COPY]"},
    {"ean13", "[EAN13][MESSAGE='590123412345'][BUILD/COPY]"},
    {"ean13_addon2", "[EAN13][MESSAGE='590123412345'][SUPPLEMENT='12'][BUILD/COPY]"},
    {"ean13_magnified", "[EAN13][MAGNIFY=150][MESSAGE='590123412345'][BUILD/COPY]"},
    {"bookland", "[BOOKLAND][MESSAGE='0-940016-73-7'][BUILD/COPY]"},
    {"i2of5", "[I2OF5][MESSAGE='12345678'][BUILD/COPY]"},
    {"i2of5_bearers", "[I2OF5][BEARERBARS=ON][I2OF5CHECK=ON][MESSAGE='1234567'][BUILD/COPY]"},
    {"d2of5", "[D2OF5][MESSAGE='123456'][BUILD/COPY]"},
    {"codabar", "[CODABAR][MESSAGE='A40156B'][BUILD/COPY]"},
    {"code93", "[CODE93][MESSAGE='CODE 93'][BUILD/COPY]"},
    {"code128", "[CODE128][MESSAGE='Code 128 ' 48 49 50 51][BUILD/COPY]"},
    {"gs1_128", "[GS1-128][MESSAGE=128 '0109501101530003' 128 '10AB12'][BUILD/COPY]"},
    {"msi", "[MSI][MESSAGE='80523'][BUILD/COPY]"},
    {"postnet", "[POSTNET][MESSAGE='12345-6789'][BUILD/COPY]"},
    {"bpo", "[BPO][MESSAGE='LS1 2AB'][BUILD/COPY]"},
    {"fim_a", "FIM1"},
    {"fim_b", "FIM2"},
    {"fim_c", "FIM3"},
    {"pdf417", "[PDF417][MESSAGE='PDF417 golden corpus 0123456789'][BUILD/COPY]"},
    {"pdf417_truncated", "[PDF417][TRUNCATEDPDF=ON][MESSAGE='Truncated PDF417'][BUILD/COPY]"},
    {"pdf417_security5_vertical", "[PDF417][PDFSECURITY=5][VERTDOWN][MESSAGE='Level 5'][BUILD/COPY]"},
    {"aztec", "[AZTEC][MESSAGE='Aztec Code golden'][BUILD/COPY]"},
    {"aztec_compact2", "[AZTEC][AZTECECP=102][MESSAGE='Compact'][BUILD/COPY]"},
    {"aztec_full5_comment", "[AZTEC][AZTECECP=205][COMMENT='Full range'][MESSAGE='Full'][BUILD/COPY]"},
    {"datamatrix", "[DATAMATRIX][MESSAGE='Data Matrix golden'][BUILD/COPY]"},
    {"datamatrix_rect", "[DATAMATRIX][DMFORMAT=1][MESSAGE='RECT'][BUILD/COPY]",
     [](AppState& a) { a.settings.dm.dmShapeSize = 3; }},
    {"qr_m", "[QR][MESSAGE='QR golden M'][BUILD/COPY]"},
    {"qr_l_quiet", "[QR][QUIETZONES=ON][MESSAGE='QR golden L'][BUILD/COPY]",
     [](AppState& a) { a.settings.qr.qrEccLevel = 0; }},
    {"qr_h", "[QR][MESSAGE='QR golden H'][BUILD/COPY]", [](AppState& a) { a.settings.qr.qrEccLevel = 3; }},
    {"qr_q_vertup", "[QR][VERTUP][MESSAGE='QR golden Q'][BUILD/COPY]",
     [](AppState& a) { a.settings.qr.qrEccLevel = 2; }},
    {"databar", "[RSS14][MESSAGE='2001234567890'][BUILD/COPY]"},
    {"databar_stacked", "[RSS14S][MESSAGE='2001234567890'][BUILD/COPY]"},
    {"databar_stacked_omni", "[RSS14SO][MESSAGE='2001234567890'][BUILD/COPY]"},
    // Orientations, text and comment placement on a linear symbol.
    {"code128_vertdown", "[CODE128][VERTDOWN][MESSAGE='DOWN 90'][BUILD/COPY]"},
    {"code128_vertup", "[CODE128][VERTUP][MESSAGE='UP 270'][BUILD/COPY]"},
    {"code39_quiet_zones", "[CODE39][QUIETZONES=ON][MESSAGE='QUIET'][BUILD/COPY]"},
    {"code39_text_above", "[CODE39][TEXTABOVE=ON][MESSAGE='ABOVE'][BUILD/COPY]"},
    {"code39_text_off", "[CODE39][TEXT=OFF][MESSAGE='NO TEXT'][BUILD/COPY]"},
    {"code39_comment_below_right",
     "[CODE39][COMMENT='Comment below'][COMMENTABOVE=OFF][COMMENTALIGNRIGHT][MESSAGE='CMT'][BUILD/COPY]"},
    {"code39_comment_above_centre_vertup",
     "[CODE39][VERTUP][COMMENT='Comment above'][COMMENTALIGNCENTER][MESSAGE='CMT'][BUILD/COPY]"},
    {"ean13_comment_text_above",
     "[EAN13][TEXTABOVE=ON][COMMENT='EAN comment'][MESSAGE='590123412345'][BUILD/COPY]"},
    {"code39_reduction", "[CODE39][BARREDUCTION=15][MESSAGE='REDUCED'][BUILD/COPY]"},
    {"code39_gain", "[CODE39][BARREDUCTION=-10][MESSAGE='GAIN'][BUILD/COPY]"},
    {"code39_colours", "[CODE39][FORECOLOR=BLUE][BACKCOLOR=YELLOW][FONTCOLOR=RED][MESSAGE='COLOUR'][BUILD/COPY]"},
    {"code39_transparent", "[CODE39][TRANSPARENT][MESSAGE='CLEAR'][BUILD/COPY]"},
    {"code39_fixdriver_bold", "[CODE39][FIXDRIVER=ON][FONTBOLDITALIC][MESSAGE='PEN'][BUILD/COPY]"},
    {"pdf417_reduction_colours",
     "[PDF417][BARREDUCTION=20][FORECOLOR=BLUE][COMMENT='PDF comment'][MESSAGE='Reduced'][BUILD/COPY]"},
    {"aztec_gain_transparent_vertdown",
     "[AZTEC][BARREDUCTION=-15][TRANSPARENT][VERTDOWN][MESSAGE='Gain'][BUILD/COPY]"},
    {"datamatrix_comment_vertup", "[DATAMATRIX][VERTUP][COMMENT='DM comment'][MESSAGE='DM'][BUILD/COPY]"},
    {"databar_vertdown_comment", "[RSS14][VERTDOWN][COMMENT='DataBar'][MESSAGE='2001234567890'][BUILD/COPY]"},
    {"postnet_vertup", "[POSTNET][VERTUP][MESSAGE='12345'][BUILD/COPY]"},
};

INSTANTIATE_TEST_SUITE_P(Corpus, Golden, ::testing::ValuesIn(kCorpus),
                         [](const auto& info) { return info.param.name; });

// The FIM commands draw the pictures of the FIM menu items and leave the
// symbology and the symbol-built flag alone.
TEST(GoldenFimCommands, DrawTheFimPictures) {
    const std::pair<const char*, const char*> kFim[] = {{"[FIMA]", "fim_a"}, {"[fimb]", "fim_b"}, {"[FimC]", "fim_c"}};
    for (const auto& [command, name] : kFim) {
        test::AppHarness h;
        startMainWindow(h.app);
        h.app.settings.printerWarnings = false;
        ASSERT_EQ(ExecuteResult::Accepted,
                  LinkExecute(h.app, std::string("[CODE128][MESSAGE='ABC'][BUILD/COPY]") + command))
            << command;
        EXPECT_EQ(h.app.settings.symbology, 13) << command;
        EXPECT_TRUE(h.app.settings.symbolBuilt) << command;  // still the Code 128 build's
        ASSERT_TRUE(h.clipboard.metafilePict().has_value()) << command;
        EXPECT_EQ(h.clipboard.metafilePict()->xExt, 1350) << command;
        const std::string golden = readBytes(std::filesystem::path(QUILLET_GOLDEN_DIR) / (std::string(name) + ".wmf"));
        ASSERT_FALSE(golden.empty()) << name;
        EXPECT_TRUE(readBytes(h.app.scratchMetafilePath) == golden) << command << " did not draw " << name;
    }
}

}  // namespace
}  // namespace quillet
