// Every symbology built through the command language: the recorded
// metafile is rendered by our renderer and decoded by zxing-cpp; readers
// that zxing lacks are covered by the encoders' own table tests. Every
// message a build can raise is reached through commands, with its text.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

struct Session : test::AppHarness {
    Session() {
        startMainWindow(app);
        app.settings.printerWarnings = false;
    }
    // True when the execute was accepted.
    bool run(const std::string& execute) { return LinkExecute(app, execute) == ExecuteResult::Accepted; }
};

struct Symbol {
    std::string name;
    std::string execute;  // selects, sets options and the message, builds
    std::string format;   // zxing's name
    std::string decoded;
};

class SymbolByCommand : public ::testing::TestWithParam<Symbol> {};

TEST_P(SymbolByCommand, RendersAndDecodes) {
    const Symbol& s = GetParam();
    Session session;
    // 20 mils: whole pixels at 300 dpi are not needed, the reader copes.
    session.app.settings.narrowWidth = 50.8f;  // 20 mils
    ASSERT_TRUE(session.run(s.execute)) << session.lastMessage();
    ASSERT_TRUE(session.app.settings.symbolBuilt);
    auto img = test::renderWmfFile(session.app.scratchMetafilePath, 300).padded(50);
    ASSERT_GT(img.width, 0);
    auto d = test::decode(img, s.format);
    ASSERT_TRUE(d.ok) << s.name;
    EXPECT_EQ(d.bytes, s.decoded) << s.name;
}

INSTANTIATE_TEST_SUITE_P(
    AllReadable, SymbolByCommand,
    ::testing::Values(
        Symbol{"code39", "[CODE39][MESSAGE='Hello 39'][BUILD/COPY]", "Code39", "HELLO 39"},
        Symbol{"code39_check", "[CODE39][CODE39CHECK=ON][MESSAGE='HELLO'][BUILD/COPY]", "Code39", "HELLOB"},
        Symbol{"code39_full_ascii", "[CODE39FULLASCII][MESSAGE='a' 9 'z'][BUILD/COPY]", "Code39", "+A$I+Z"},
        Symbol{"code93_full_ascii", "[CODE93][MESSAGE='low' 1 'case'][BUILD/COPY]", "Code93",
               std::string("low\x01" "case")},
        Symbol{"i2of5_odd", "[I2OF5][MESSAGE='12345'][BUILD/COPY]", "ITF", "012345"},
        Symbol{"i2of5_check", "[I2OF5][I2OF5CHECK=ON][MESSAGE='12345'][BUILD/COPY]", "ITF", "123457"},
        Symbol{"codabar_check", "[CODABAR][CODE39CHECK=ON][MESSAGE='C31117013206375D'][BUILD/COPY]", "Codabar",
               "311170132063753"},
        Symbol{"upca_text_off", "[UPCA][TEXT=OFF][MESSAGE='03600029145'][BUILD/COPY]", "UPCA", "036000291452"},
        Symbol{"upce_ns1", "[UPCE][MESSAGE='654321'][BUILD/COPY]", "UPCE", "06543217"},
        Symbol{"ean8", "[EAN8][MESSAGE='5512345'][BUILD/COPY]", "EAN8", "55123457"},
        Symbol{"ean13_addon5_above", "[EAN13][TEXTABOVE=ON][SUPPLEMENT='12345'][MESSAGE='978020137962'][BUILD/COPY]",
               "EAN13", "9780201379624 12345"},
        Symbol{"bookland_isbn10", "[BOOKLAND][MESSAGE='0201379627'][BUILD/COPY]", "EAN13", "9780201379624"},
        Symbol{"code128_sets", "[CODE128][MESSAGE='ab' 9 '1234567890'][BUILD/COPY]", "Code128",
               std::string("ab\t1234567890")},
        Symbol{"gs1_128", "[GS1-128][MESSAGE='0109501101530003'][BUILD/COPY]", "Code128", "0109501101530003"},
        Symbol{"vertical_code128", "[VERTUP][CODE128][MESSAGE='Vertical'][BUILD/COPY]", "Code128", "Vertical"},
        Symbol{"pdf417", "[PDF417][MESSAGE='PDF417 by command'][BUILD/COPY]", "PDF417", "PDF417 by command"},
        Symbol{"aztec", "[AZTEC][AZTECMODULESIZE=20][MESSAGE='Aztec by command'][BUILD/COPY]", "Aztec",
               "Aztec by command"},
        Symbol{"datamatrix", "[DATAMATRIX][DMMODULESIZE=20][MESSAGE='Data Matrix'][BUILD/COPY]", "DataMatrix",
               "Data Matrix"},
        Symbol{"qr", "[QR][MESSAGE='QR by command'][BUILD/COPY]", "QRCode", "QR by command"},
        Symbol{"databar", "[RSS14][MESSAGE='2001234567890'][BUILD/COPY]", "DataBar", "20012345678909"},
        Symbol{"databar_stacked", "[RSS14S][MESSAGE='12345'][BUILD/COPY]", "DataBar", "00000000123457"}),
    [](const auto& info) { return info.param.name; });

// Each build message reached through commands, with its exact text.
struct Refusal {
    std::string execute;
    int code;
};

class BuildMessage : public ::testing::TestWithParam<Refusal> {};

TEST_P(BuildMessage, RefusedWithItsText) {
    Session session;
    EXPECT_FALSE(session.run(GetParam().execute));
    EXPECT_EQ(session.lastMessage(), messageText(GetParam().code)) << GetParam().execute;
    EXPECT_FALSE(session.app.settings.symbolBuilt);
}

std::string refusalName(const ::testing::TestParamInfo<Refusal>& info) {
    return "code" + std::to_string(info.param.code < 0 ? 0 : info.param.code);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BuildMessage,
    ::testing::Values(
        Refusal{"[CODE39][MESSAGE=][BUILD/COPY]", -1}, Refusal{"[POSTNET][MESSAGE='1234'][BUILD/COPY]", 1},
        Refusal{"[UPCA][MESSAGE='12A'][BUILD/COPY]", 2}, Refusal{"[EAN8][MESSAGE='123'][BUILD/COPY]", 3},
        Refusal{"[I2OF5][MESSAGE='12-4'][BUILD/COPY]", 4}, Refusal{"[CODABAR][MESSAGE='A12X4B'][BUILD/COPY]", 5},
        Refusal{"[CODABAR][MESSAGE='A1234'][BUILD/COPY]", 6},
        Refusal{"[CODE39FULLASCII][MESSAGE='A' 200][BUILD/COPY]", 7},
        Refusal{"[CODE39][MESSAGE='a_b'][BUILD/COPY]", 8}, Refusal{"[CODE93][MESSAGE=200][BUILD/COPY]", 9},
        Refusal{"[CODE128][MESSAGE=200][BUILD/COPY]", 12}, Refusal{"[UPCE][MESSAGE='1234567'][BUILD/COPY]", 13},
        Refusal{"[UPCA][SUPPLEMENT='123'][MESSAGE='12345678901'][BUILD/COPY]", 14},
        Refusal{"[EAN13][MESSAGE='123'][BUILD/COPY]", 15}, Refusal{"[D2OF5][MESSAGE='1A'][BUILD/COPY]", 16},
        Refusal{"[CODE39][BARWIDTH=0][MESSAGE='A'][BUILD/COPY]", 17},
        Refusal{"[CODE39][BARHEIGHT=0][MESSAGE='A'][BUILD/COPY]", 18},
        Refusal{"[CODE39][MESSAGE='" + std::string(101, 'A') + "'][BUILD/COPY]", 19},
        Refusal{"[BOOKLAND][MESSAGE='12345'][BUILD/COPY]", 31}, Refusal{"[BPO][MESSAGE='AB'][BUILD/COPY]", 34},
        Refusal{"[MSI][MESSAGE='12Z'][BUILD/COPY]", 35}, Refusal{"[RSS14][MESSAGE='12A'][BUILD/COPY]", 36},
        Refusal{"[RSSLIM][MESSAGE='2000000000000'][BUILD/COPY]", 38}),
    refusalName);

// Every refusal of the four DataBar symbologies: the message's length,
// characters and value range, and the composite message's length, characters
// and capacity (a message past the largest CC-B is refused by the library).
const std::string kLower338(338, 'x');
INSTANTIATE_TEST_SUITE_P(
    DataBar, BuildMessage,
    ::testing::Values(
        Refusal{"[RSS14][MESSAGE='12345678901234'][BUILD/COPY]", 36},
        Refusal{"[RSS14S][MESSAGE='12345678901234'][BUILD/COPY]", 36},
        Refusal{"[RSS14SO][MESSAGE='1234 5'][BUILD/COPY]", 36},
        Refusal{"[RSSLIM][MESSAGE='12345678901234'][BUILD/COPY]", 36},
        Refusal{"[RSSLIM][MESSAGE='100000000000A'][BUILD/COPY]", 36},
        Refusal{"[RSSLIM][MESSAGE='9999999999999'][BUILD/COPY]", 38},
        Refusal{"[RSSLIM][MESSAGE='200000000000A'][BUILD/COPY]", 36},  // the value test reads up to the letter
        Refusal{"[RSSLIM][MESSAGE='20000000000AB'][BUILD/COPY]", 36},
        Refusal{"[RSS14][COMPOSITE=" + std::string(339, '1') + "][MESSAGE='123'][BUILD/COPY]", 37},
        Refusal{"[RSS14S][COMPOSITE=10AB~][MESSAGE='123'][BUILD/COPY]", 37},
        Refusal{"[RSS14SO][COMPOSITE=" + kLower338 + "][MESSAGE='123'][BUILD/COPY]", 37},
        Refusal{"[RSSLIM][COMPOSITE=10" + std::string(200, 'a') + "][MESSAGE='123'][BUILD/COPY]", 37},
        Refusal{"[RSSLIM][COMPOSITE=21tab" "\t" "x][MESSAGE='123'][BUILD/COPY]", 37}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
        const std::string& e = info.param.execute;
        return e.substr(1, e.find(']') - 1) + "_" + std::to_string(info.index) + "_code" +
               std::to_string(info.param.code);
    });

// The same symbols built: Limited and composite components on all four.
TEST(BuildMessages, DataBarWithCompositesBuild) {
    for (const char* execute : {"[RSSLIM][MESSAGE='1501234567890'][BUILD/COPY]",
                                "[RSSLIM][COMPOSITE=10ABC123][MESSAGE='1501234567890'][BUILD/COPY]",
                                "[RSS14][COMPOSITE=17261231][MESSAGE='123'][BUILD/COPY]",
                                "[RSS14S][COMPOSITE=21abc-def][MESSAGE='123'][BUILD/COPY]",
                                "[RSS14SO][COMPOSITE=9112345678901234567890][MESSAGE='123'][BUILD/COPY]"}) {
        Session session;
        EXPECT_TRUE(session.run(execute)) << execute << ": " << session.lastMessage();
        EXPECT_TRUE(session.app.settings.symbolBuilt) << execute;
    }
}

TEST(BuildMessages, WarningsOffRefuseSilentlyAndLeaveNoSymbol) {
    Session session;
    ASSERT_TRUE(session.run("[CODE39][MESSAGE='OK'][BUILD/COPY]"));
    EXPECT_FALSE(session.run("[MESSAGEWARNINGS=OFF][MESSAGE='a_b'][BUILD/COPY]"));
    EXPECT_TRUE(session.ui.messages.empty());
    EXPECT_FALSE(session.clipboard.metafilePict().has_value());
}

TEST(BuildMessages, WidthLimitThroughCommands) {
    Session session;
    EXPECT_FALSE(session.run("[CODE39][BARWIDTH=390][MESSAGE='" + std::string(20, 'W') + "'][BUILD/COPY]"));
    EXPECT_EQ(session.lastMessage(),
              "Cannot Create Bar Code!  Total Width exceeds system limit.\r"
              "Try reducing the Narrow Bar Width or the length of the Bar Code Text.");
}

}  // namespace
}  // namespace quillet
