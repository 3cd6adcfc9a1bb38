// The command equivalent of the current settings: fed to another program
// state through the command language it gives the same settings and
// message, whatever that state held before.
#include "app/automation/command_equivalent.h"

#include <gtest/gtest.h>

#include "app/automation/automation_session.h"
#include "app/automation/dde_link.h"

namespace quillet {
namespace {

using test::Session;

// What a build or a save leaves behind is no setting of its own.
SymbolSettings comparable(const SymbolSettings& s) {
    SymbolSettings c = s;
    c.changed = false;
    c.symbolBuilt = false;
    return c;
}

TEST(CommandEquivalent, RoundTripsThroughTheCommandLanguage) {
    const std::string cases[] = {
        "",
        "[CODE128][MESSAGE='ABC 123'][COMMENT=Batch 7][BARWIDTH=10][BARHEIGHT=0.75]",
        "[METRIC][VERTDOWN][CODE39][BARWIDTH=33][RATIO=3.0][MESSAGE='A'9'B'93'C']",
        "[HORIZONTALDPI=203][VERTICALDPI=406][DOTS][PDF417][PDFMODULEWIDTH=3][PDFMODULEHEIGHT=9][PDFMODE=BIN]"
        "[PDFSECURITY=4][PDFMAXCOLS=6][PDFASPECT=0.25][MESSAGE='PDF 417']",
        "[EAN13][MAGNIFY=150][MESSAGE='123456789012'][SUPPLEMENT='12']",
        "[QR][UTF8=ON][MESSAGE='Grüße 日本']",
        "[DISPLAYANSI][CODE128][MESSAGE='caf'233]",
        "[FONTNAME=Courier New][FONTSIZE=14][FONTBOLDITALIC][UNDERLINE=ON][FORECOLORRGB=200 0 0]"
        "[BACKCOLORRGB=255 255 200][TEXT=OFF][QUIETZONES=ON][BARREDUCTION=-15][COMMENTALIGNRIGHT][TEXTABOVE=ON]"
        "[MESSAGE='LOOK']",
        "[BITSPERPIXEL=8][RASTERIMAGERESOLUTION=600][JPEGQUALITY=80][PNGPAETHFILTER][TIFFCOMPRESSION=GROUP4]"
        "[GIFCOMPRESSION=ON][SAVEMODEBMP][LEFTPRINTMARGIN=0.5][TOPPRINTMARGIN=1.25][PRINTWARNINGS=OFF]",
        "[CODE128][INCPREAMBLE='SN'][INCPOSTAMBLE='-'32'X'][INCWIDTH=5][INCVALUE=3][INCSTART=42][INCENABLE]",
        "[UPCA][INCSUPPLEMENT][INCWIDTH=2][INCSTART=7][MESSAGE='01234567890'][INCENABLE]",
        "[DATAMATRIX][DMMODULESIZE=20][DMECC=140][DMFORMAT=6][DMSTANDARD=ON][AZTECECP=33][AZTECMENU=ON]"
        "[MESSAGE='DM']",
        "[CODE128][PRINTGROWTH=-2][VERIFYMIN=B][MESSAGE='CHECKED']",
    };
    for (const std::string& setup : cases) {
        Session original;
        ASSERT_EQ(LinkExecuteUtf8(original.app, setup), ExecuteResult::Accepted) << setup;
        const CommandEquivalent equivalent = commandEquivalent(original.app);
        EXPECT_EQ(equivalent.execute.rfind("[NEW]", 0), 0u) << equivalent.execute;

        // A state far from a fresh start: [NEW] must undo all of it.
        Session other;
        ASSERT_TRUE(other.run("[AZTEC][METRIC][VERTUP][BARWIDTH=40][MESSAGE='OTHER'][COMMENT=x][TEXT=OFF]"
                              "[FONTSIZE=30][INCSTART=9][INCENABLE][BITSPERPIXEL=24][PRINTGROWTH=3][VERIFYMIN=D]"));
        ASSERT_EQ(LinkExecuteUtf8(other.app, equivalent.execute), ExecuteResult::Accepted)
            << setup << "\n" << equivalent.execute;
        EXPECT_EQ(other.s().message, original.s().message) << equivalent.execute;
        EXPECT_EQ(other.s().symbology, original.s().symbology) << equivalent.execute;
        EXPECT_TRUE(comparable(other.s()) == comparable(original.s())) << setup << "\n" << equivalent.execute;
        EXPECT_EQ(other.app.verify.printGrowth, original.app.verify.printGrowth) << equivalent.execute;
        EXPECT_EQ(other.app.verify.minimumGrade, original.app.verify.minimumGrade) << equivalent.execute;
        // The same string again gives itself: nothing is lost on the way.
        EXPECT_EQ(commandEquivalent(other.app).execute, equivalent.execute) << setup;
    }
}

TEST(CommandEquivalent, EncodesValuesTheCommandsDecode) {
    struct Case {
        std::string bytes, encoded;
    } cases[] = {
        {"", ""},
        {"ABC", "'ABC'"},
        {"A\tB", "'A'9'B'"},
        {"it's", "'it'39's'"},
        {"x]y", "'x'93'y'"},
        {"\r\n", "13 10"},
        {"\xE9t\xE9", "233't'233"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodedValue(c.bytes), c.encoded) << c.encoded;
        Session s;
        ASSERT_TRUE(s.run("[MESSAGE=" + encodedValue(c.bytes) + "]")) << c.encoded;
        EXPECT_EQ(s.s().message, c.bytes) << c.encoded;
    }
}

}  // namespace
}  // namespace quillet
