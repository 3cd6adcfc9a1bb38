// The value a build leaves: its bytes are the scratch file's and the
// clipboard's, it carries the encoded data, and saving works from it alone,
// in every output format, with the scratch file gone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/automation/dde_link.h"
#include "app/render/builders.h"
#include "app/render/databar_host.h"
#include "app/render/output_test_util.h"
#include "app/render/save_symbol.h"
#include "platform/gdi.h"
#include "platform/placeable.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

using test::OutputHarness;

struct Symbol {
    std::string name;
    int symbology;  // 0: the FIM-A pattern
    std::string message;
    std::string format;  // zxing's name; "" for what it does not read
};

// Sizes that give whole pixels at 254 dpi.
void wholePixels(SymbolSettings& s) {
    s.narrowWidth = 50;
    s.matrixModuleSize = 50;
    s.pdfModuleWidth = 30;
    s.pdfModuleHeight = 90;
    s.quietZones = true;
}

bool build(OutputHarness& h, const Symbol& c) {
    wholePixels(h.app.settings);
    if (c.symbology != 0) return h.build(c.symbology, c.message);
    BuildFimPattern(h.app, 1);
    return h.app.output.lastSymbol.has_value();
}

std::vector<uint8_t> placeable(const BuiltSymbol& v) {
    return platform::placeableMetafileBytes(v.metafile.records, v.metafile.xExt, v.metafile.yExt);
}

const std::vector<Symbol> kEveryBuilder = {
    {"code39", 1, "QUILLET-39", "Code39"},        {"upca", 3, "01234567890", "UPC-A"},
    {"code128", 13, "Quillet-2.3", "Code128"},    {"postnet", 24, "12345", ""},
    {"fim", 0, "", ""},                           {"pdf417", 15, "Quillet PDF417 value", "PDF417"},
    {"aztec", 16, "Quillet Aztec value", "Aztec"}, {"datamatrix", 17, "Quillet Data Matrix", "DataMatrix"},
    {"qr", 18, "Quillet QR value", "QRCode"},     {"databar", 20, "2001234567890", "DataBar"},
};

TEST(SymbolValue, BytesAreTheScratchFilesAndTheClipboards) {
    for (const Symbol& c : kEveryBuilder) {
        OutputHarness h;
        ASSERT_TRUE(build(h, c)) << c.name << ": " << (h.ui.messages.empty() ? "" : h.ui.messages.back().text);
        const BuiltSymbol& v = h.app.output.lastSymbol.value();
        EXPECT_EQ(v.metafile.mapMode, 8) << c.name;
        EXPECT_EQ(placeable(v), test::readFileBytes(h.app.scratchMetafilePath)) << c.name;
        auto clip = h.clipboard.metafilePict();
        ASSERT_TRUE(clip.has_value()) << c.name;
        EXPECT_EQ(gdi::GetMetaFileBits(clip->hMF), v.metafile.records) << c.name;
        EXPECT_EQ(clip->xExt, v.metafile.xExt) << c.name;
        EXPECT_EQ(clip->yExt, v.metafile.yExt) << c.name;
        EXPECT_EQ(h.app.output.symbolWidth, v.width) << c.name;
        EXPECT_TRUE(h.app.output.saveEnabled) << c.name;
        EXPECT_EQ(h.app.settings.symbolBuilt, c.symbology != 0) << c.name << ": FIM patterns leave the flag";
    }
}

// The 1-based module grid as rows of booleans, each row repeated `height` times.
std::vector<std::vector<bool>> gridRows(const ModuleMatrix& m, int height) {
    std::vector<std::vector<bool>> rows;
    for (int r = 1; r <= m.rows; ++r) {
        std::vector<bool> row;
        for (int c = 1; c <= m.cols; ++c) row.push_back(m.at(r, c));
        for (int i = 0; i < height; ++i) rows.push_back(row);
    }
    return rows;
}

std::string withoutSpaces(std::string s) {
    std::erase(s, ' ');
    return s;
}

TEST(SymbolValue, CarriesTheEncodedData) {
    {
        OutputHarness h;
        ASSERT_TRUE(h.build(3, "01234567890"));
        const BuiltSymbol& v = *h.app.output.lastSymbol;
        EXPECT_EQ(withoutSpaces(v.text), "012345678905") << "with the check digit the encoder added";
        EXPECT_EQ(v.barPattern, h.app.output.barPattern);
        EXPECT_EQ(v.barPattern.front(), 'B') << "the encoder's margin, no quiet zone";
        EXPECT_EQ(v.modules.rows, 0);
    }
    for (int code : {12, 13}) {  // check characters shown apart
        OutputHarness h;
        ASSERT_TRUE(h.build(code, "QUILLET"));
        const BuiltSymbol& v = *h.app.output.lastSymbol;
        EXPECT_EQ(withoutSpaces(v.text), "QUILLET") << code;
        EXPECT_FALSE(v.checkText.empty()) << code;
        EXPECT_EQ(v.checkText, h.app.output.checkValue) << code;
        EXPECT_EQ(v.barPattern, h.app.output.barPattern) << code;
    }
    {
        OutputHarness h;
        ASSERT_TRUE(h.build(20, "2001234567890"));
        EXPECT_EQ(h.app.output.lastSymbol->text, dataBarHumanReadable("2001234567890"));
    }
    {
        OutputHarness h;
        ASSERT_TRUE(build(h, {"aztec", 16, "AZ", ""}));
        EXPECT_EQ(h.app.output.lastSymbol->text, "AZ");
        EXPECT_EQ(h.app.output.lastSymbol->modules.rows, 0) << "the library returns no grid";
    }
}

// The module grid alone, drawn by the test, reads back as the message.
TEST(SymbolValue, ModuleGridDecodesOnItsOwn) {
    struct Case { int symbology; std::string format; int rowHeight; };
    for (const Case& c : {Case{15, "PDF417", 3}, Case{17, "DataMatrix", 1}, Case{18, "QRCode", 1}}) {
        OutputHarness h;
        const std::string message = "Grid of " + c.format;
        ASSERT_TRUE(build(h, {c.format, c.symbology, message, c.format}));
        const ModuleMatrix& m = h.app.output.lastSymbol->modules;
        ASSERT_GT(m.rows, 0) << c.format;
        ASSERT_EQ(m.dark.size(), size_t(m.rows) * size_t(m.cols)) << c.format;
        auto d = test::decode(test::matrixImage(gridRows(m, c.rowHeight), 4, 4), c.format);
        ASSERT_TRUE(d.ok) << c.format;
        EXPECT_EQ(d.bytes, message) << c.format;
    }
    // Data Matrix draws one rectangle a dark module (after the background).
    OutputHarness h;
    ASSERT_TRUE(build(h, {"dm", 17, "Count me", ""}));
    const ModuleMatrix& m = h.app.output.lastSymbol->modules;
    const auto drawn = test::rectangles(test::parseMetafile(test::readFileBytes(h.app.scratchMetafilePath)));
    EXPECT_EQ(size_t(std::count(m.dark.begin(), m.dark.end(), 1)), drawn.size() - 1);
}

int pixels(int extent, int dpi) { return int(std::nearbyint(extent * double(dpi) / 2540.0)); }

// What an independent reader makes of a saved file; EPS is drawn at dpi,
// the others are read at the resolution they were saved at.
test::GreyImage readBack(const std::string& path, const std::string& ext, int dpi) {
    if (ext == "wmf") return test::renderWmfFile(path, dpi);
    if (ext == "eps")
        return test::parsePgm(test::commandOutput("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pgmraw -r" +
                                                  std::to_string(dpi) + " -sOutputFile=- " + test::quoted(path)));
    return test::magickGrey(path);
}

TEST(SymbolValue, SavedInEveryFormatWithTheScratchFileGone) {
    const std::vector<std::string> formats = {"wmf", "bmp", "gif", "tif", "eps", "jpg", "png", "tga", "pcx"};
    for (const Symbol& c : kEveryBuilder) {
        if (c.format.empty()) continue;
        OutputHarness h;
        ASSERT_TRUE(build(h, c)) << c.name;
        ASSERT_TRUE(std::filesystem::remove(h.app.scratchMetafilePath)) << c.name;
        h.app.settings.raster.rasterResolution = 254;
        const BuiltSymbol& v = *h.app.output.lastSymbol;
        for (const std::string& ext : formats) {
            const std::string out = h.path(c.name + "." + ext);
            ASSERT_TRUE(SaveSymbolImage(h.app, out)) << out;
            if (ext == "wmf") {
                EXPECT_EQ(test::readFileBytes(out), placeable(v)) << out;
            }
            // ghostscript rounds 3-pixel PDF417 modules unevenly: twice the resolution.
            const int dpi = ext == "eps" ? 508 : 254;
            const test::GreyImage img = readBack(out, ext, dpi);
            ASSERT_GT(img.width, 0) << out;
            EXPECT_NEAR(img.width, pixels(v.metafile.xExt, dpi), ext == "eps" ? 1 : 0) << out;
            EXPECT_NEAR(img.height, pixels(v.metafile.yExt, dpi), ext == "eps" ? 1 : 0) << out;
            const auto d = test::decode(img.padded(40), c.format);
            ASSERT_TRUE(d.ok) << out;
            EXPECT_EQ(withoutSpaces(d.text), withoutSpaces(v.text)) << out;
            EXPECT_EQ(d.text.substr(0, c.message.size()), c.message) << out;
        }
        EXPECT_FALSE(std::filesystem::exists(h.app.scratchMetafilePath)) << "saving never rewrites the scratch file";
    }
}

TEST(SymbolValue, CommandLanguageSavesWithoutTheScratchFile) {
    OutputHarness h;
    ASSERT_EQ(ExecuteResult::Accepted, LinkExecute(h.app, "[CODE128][BARWIDTH=20][MESSAGE='X1'][BUILD/COPY]"));
    std::filesystem::remove(h.app.scratchMetafilePath);
    const std::string out = h.path("x.png");
    ASSERT_EQ(ExecuteResult::Accepted, LinkExecute(h.app, "[RASTERIMAGERESOLUTION=254][SAVEBARCODE(" + out + ")]"));
    const auto d = test::decode(test::magickGrey(out).padded(40), "Code128");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, "X1");
}

TEST(SymbolValue, KeptWhenABuildFails) {
    OutputHarness h;
    ASSERT_TRUE(h.build(13, "First"));
    EXPECT_FALSE(h.build(3, "not digits"));  // refused: the last symbol stays
    EXPECT_EQ(h.app.output.lastSymbol->text, "First");
    const std::string out = h.path("first.wmf");
    ASSERT_TRUE(SaveSymbolImage(h.app, out));
    const auto d = test::decode(test::renderWmfFile(out, 254).padded(40), "Code128");
    EXPECT_EQ(d.text, "First");
}

// A build whose scratch file cannot be written is refused and says why;
// it leaves no symbol, neither its own nor an earlier one, to be saved.
TEST(SymbolValue, DroppedWhenTheScratchFileCannotBeWritten) {
    OutputHarness h;
    ASSERT_TRUE(h.build(13, "First"));
    h.app.scratchMetafilePath = h.path("no/such/folder/scratch.wmf");
    const size_t before = h.ui.messages.size();
    EXPECT_FALSE(h.build(13, "Second"));
    ASSERT_EQ(h.ui.messages.size(), before + 1);
    EXPECT_NE(h.ui.messages.back().text.find("scratch.wmf\": " + std::string(std::strerror(ENOENT))), std::string::npos)
        << h.ui.messages.back().text;
    EXPECT_FALSE(h.app.output.lastSymbol.has_value());
    EXPECT_FALSE(h.app.settings.symbolBuilt);
    EXPECT_FALSE(h.app.output.saveEnabled);
    EXPECT_FALSE(SaveSymbolImage(h.app, h.path("second.wmf")));
    EXPECT_FALSE(std::filesystem::exists(h.path("second.wmf")));
}

}  // namespace
}  // namespace quillet
