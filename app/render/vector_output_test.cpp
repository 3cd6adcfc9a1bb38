// Saving a built symbol as SVG or PDF, read back by independent programs:
// librsvg (rsvg-convert) for SVG, poppler (pdfinfo, pdftoppm, pdftocairo,
// pdffonts, pdftotext) for PDF, ImageMagick for the pixels, zxing-cpp to
// decode.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/automation/dde_link.h"
#include "app/render/databar_host.h"
#include "app/render/output_test_util.h"
#include "app/render/save_symbol.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

using test::commandOutput;
using test::OutputHarness;
using test::quoted;

// Width and height in millimetres of the first page as pdfinfo reads it.
std::pair<double, double> pdfPageMm(const std::string& pdf) {
    std::istringstream in(commandOutput("pdfinfo " + quoted(pdf) + " 2>/dev/null"));
    std::string line;
    double w = 0, h = 0;
    while (std::getline(in, line))
        if (std::sscanf(line.c_str(), "Page size: %lf x %lf pts", &w, &h) == 2) break;
    return {w * 25.4 / 72, h * 25.4 / 72};
}

// librsvg's reading of the root size: it converts the SVG to a PDF page
// of that size.
std::pair<double, double> svgRootMm(const std::string& svg) {
    const std::string pdf = svg + ".rsvg.pdf";
    commandOutput("rsvg-convert -f pdf -o " + quoted(pdf) + " " + quoted(svg) + " 2>/dev/null");
    return pdfPageMm(pdf);
}

bool isPdf(const std::string& path) {
    std::string ext = path.substr(path.size() - 4);
    for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".pdf";
}

// An 8-bit grey rendering at dpi on white.
test::GreyImage rendered(const std::string& path, int dpi) {
    const std::string d = std::to_string(dpi);
    if (isPdf(path))
        return test::parsePgm(commandOutput("pdftoppm -gray -r " + d + " " + quoted(path) + " 2>/dev/null"));
    return test::parsePgm(commandOutput("rsvg-convert -b white -d " + d + " -p " + d + " " + quoted(path) +
                                        " 2>/dev/null | convert png:- -colorspace Gray -depth 8 pgm:-"));
}

struct RgbaImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // 4 bytes a pixel
    const uint8_t* at(int x, int y) const { return &pixels[4 * (size_t(y) * size_t(width) + size_t(x))]; }
};

// A rendering with its alpha channel kept (nothing painted behind it).
RgbaImage renderedRgba(const std::string& path, int dpi) {
    const std::string d = std::to_string(dpi), png = path + ".rgba.png";
    if (isPdf(path))
        commandOutput("pdftocairo -png -transp -singlefile -r " + d + " " + quoted(path) + " " +
                      quoted(png.substr(0, png.size() - 4)) + " 2>/dev/null");
    else
        commandOutput("rsvg-convert -d " + d + " -p " + d + " -o " + quoted(png) + " " + quoted(path) + " 2>/dev/null");
    RgbaImage img;
    std::istringstream size(commandOutput("identify -format '%w %h' " + quoted(png) + " 2>/dev/null"));
    size >> img.width >> img.height;
    const std::string raw = commandOutput("convert " + quoted(png) + " -depth 8 rgba:- 2>/dev/null");
    if (img.width <= 0 || raw.size() != size_t(img.width) * size_t(img.height) * 4) return {};
    img.pixels.assign(raw.begin(), raw.end());
    return img;
}

// --- One symbol of each family, in both formats ------------------------------------

struct FamilyCase {
    std::string name;
    int symbology;
    std::string message;
    std::string format;  // zxing's name
    std::string ext;
};

class VectorSave : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(VectorSave, HasThePhysicalSizeAndDecodesAt300Dpi) {
    const FamilyCase& c = GetParam();
    OutputHarness h;
    h.app.settings.narrowWidth = 50;
    h.app.settings.quietZones = true;
    ASSERT_TRUE(h.build(c.symbology, c.message)) << (h.ui.messages.empty() ? "" : h.ui.messages.back().text);
    const std::string out = h.path("symbol." + c.ext);
    ASSERT_TRUE(SaveSymbolImage(h.app, out));

    const auto& pict = h.app.output.lastSymbol.value().metafile;
    const auto [w, hgt] = c.ext == "pdf" ? pdfPageMm(out) : svgRootMm(out);
    EXPECT_NEAR(w, pict.xExt / 100.0, 0.01);
    EXPECT_NEAR(hgt, pict.yExt / 100.0, 0.01);

    const test::GreyImage img = rendered(out, 300);
    EXPECT_NEAR(img.width, pict.xExt * 300 / 2540.0, 1.0);
    EXPECT_NEAR(img.height, pict.yExt * 300 / 2540.0, 1.0);
    auto d = test::decode(img.padded(40), c.format);
    ASSERT_TRUE(d.ok) << c.name;
    EXPECT_EQ(d.text, c.symbology == 20 ? dataBarHumanReadable(c.message) : c.message);
}

std::vector<FamilyCase> familyCases() {
    const FamilyCase families[] = {
        {"code128", 13, "Quillet-2.3", "Code128", ""},  {"pdf417", 15, "Quillet PDF417 in vectors", "PDF417", ""},
        {"aztec", 16, "Quillet Aztec", "Aztec", ""},     {"datamatrix", 17, "Quillet Data Matrix", "DataMatrix", ""},
        {"qr", 18, "https://quillet.example/qr", "QRCode", ""}, {"databar", 20, "2001234567890", "DataBar", ""},
    };
    std::vector<FamilyCase> cases;
    for (const std::string ext : {"svg", "pdf"})
        for (FamilyCase c : families) {
            c.name += "_" + ext;
            c.ext = ext;
            cases.push_back(c);
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Families, VectorSave, ::testing::ValuesIn(familyCases()),
                         [](const auto& info) { return info.param.name; });

// --- Crisp edges ----------------------------------------------------------------

// At screen resolution every bar is one unbroken run of full black on a
// white ground: no smoothed edge, no hairline between abutting modules.
TEST(VectorSave, SvgAtScreenResolutionShowsEveryBarWhole) {
    for (float narrow : {33.0f, 50.0f, 27.0f}) {
        OutputHarness h;
        h.app.settings.narrowWidth = narrow;
        h.app.settings.includeText = false;
        h.app.settings.quietZones = true;
        ASSERT_TRUE(h.build(13, "Crisp 0123456789"));
        const std::string out = h.path("s.svg");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        const test::GreyImage img = rendered(out, 96);
        ASSERT_GT(img.width, 0);
        const std::string& pattern = h.app.output.lastSymbol->barPattern;
        const size_t bars = (pattern.size() + 1) / 2;
        for (int y : {img.height / 4, img.height / 2, 3 * img.height / 4}) {
            const uint8_t* row = &img.pixels[size_t(y) * size_t(img.width)];
            size_t runs = 0;
            for (int x = 0; x < img.width; ++x) {
                ASSERT_TRUE(row[x] == 0 || row[x] == 255) << "grey " << int(row[x]) << " at " << x << "," << y;
                if (row[x] == 0 && (x == 0 || row[x - 1] != 0)) ++runs;
            }
            EXPECT_EQ(runs, bars) << "narrow " << narrow << " row " << y;
        }
    }
}

// One symbol saved again gives the same SVG, however many drawings the
// process made before (cairo numbers its surfaces process-wide). PDF and EPS
// carry the time of saving, so only SVG is compared byte for byte.
TEST(VectorSave, SavingAgainGivesTheSameBytes) {
    OutputHarness h;
    ASSERT_TRUE(h.build(13, "Again 42"));
    for (const char* ext : {"svg"}) {
        const std::string first = h.path(std::string("first.") + ext), second = h.path(std::string("second.") + ext);
        ASSERT_TRUE(SaveSymbolImage(h.app, first));
        ASSERT_TRUE(SaveSymbolImage(h.app, h.path(std::string("between.") + ext)));
        ASSERT_TRUE(SaveSymbolImage(h.app, second));
        EXPECT_TRUE(test::readFileBytes(first) == test::readFileBytes(second)) << ext;
    }
}

// Abutting modules of a matrix symbol are one path, so nothing between them
// is left to smooth even where a viewer ignores the crisp-edge hint.
TEST(VectorSave, MatrixModulesOfOneColourAreOnePath) {
    struct Case { int symbology; std::string message; };
    for (const Case& c : {Case{18, "JOINED MODULES 0123456789"}, Case{17, "Joined modules"}, Case{15, "Joined"}}) {
        OutputHarness h;
        ASSERT_TRUE(h.build(c.symbology, c.message));
        const std::string out = h.path("m.svg");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        std::ifstream in(out);
        const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string crisp = "<path shape-rendering=\"crispEdges\"";
        size_t paths = 0;
        for (size_t at = svg.find(crisp); at != std::string::npos; at = svg.find(crisp, at + 1)) ++paths;
        const ModuleMatrix& m = h.app.output.lastSymbol->modules;
        size_t dark = 0;
        for (uint8_t module : m.dark) dark += module != 0;
        ASSERT_GT(dark, 50u) << c.symbology;
        EXPECT_GE(paths, 1u) << c.symbology;
        EXPECT_LE(paths, 3u) << c.symbology << ": " << dark << " dark modules";
        // With a module a few pixels wide at screen resolution, no pixel is
        // left half dark.
        const test::GreyImage img = rendered(out, 96);
        for (uint8_t p : img.pixels) ASSERT_TRUE(p == 0 || p == 255) << c.symbology;
    }
}

// --- Colours, background and text ---------------------------------------------------

TEST(VectorSave, ColoursAndTransparentBackgroundAsSet) {
    struct Case { std::string ext; bool transparent; };
    for (const Case& c : {Case{"svg", false}, Case{"svg", true}, Case{"pdf", false}, Case{"pdf", true}}) {
        OutputHarness h;
        h.app.settings.narrowWidth = 50;
        h.app.settings.quietZones = true;
        h.app.settings.foreColour = 0x0000C0;  // red bars (0x00BBGGRR)
        h.app.settings.backColour = 0xC0FFFF;  // on light yellow
        h.app.settings.transparent = c.transparent;
        ASSERT_TRUE(h.build(13, "Colour"));
        const std::string out = h.path("c." + c.ext);
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        const RgbaImage img = renderedRgba(out, 254);
        ASSERT_GT(img.width, 0) << c.ext;
        const uint8_t* corner = img.at(1, 1);
        if (c.transparent) {
            EXPECT_EQ(corner[3], 0) << c.ext;
        } else {
            EXPECT_EQ(std::vector<uint8_t>(corner, corner + 4), (std::vector<uint8_t>{255, 255, 192, 255})) << c.ext;
        }
        // The first dark pixel along the middle row is a bar in its colour.
        const int y = img.height / 3;
        int x = 0;
        while (x < img.width && !(img.at(x, y)[3] == 255 && img.at(x, y)[1] < 64)) ++x;
        ASSERT_LT(x, img.width) << c.ext;
        EXPECT_EQ(std::vector<uint8_t>(img.at(x + 1, y), img.at(x + 1, y) + 4),
                  (std::vector<uint8_t>{192, 0, 0, 255}))
            << c.ext;
    }
}

TEST(VectorSave, PdfEmbedsTheChosenFontAndKeepsTheText) {
    struct Case { std::string font, embeddedName; };
    for (const Case& c : {Case{"Liberation Serif", "LiberationSerif"}, Case{"Liberation Mono", "LiberationMono"}}) {
        OutputHarness h;
        h.app.settings.narrowWidth = 50;
        h.app.settings.fontName = c.font;
        ASSERT_TRUE(h.build(13, "Text 42"));
        const std::string out = h.path("t.pdf");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        // pdffonts: name, type, encoding, emb, sub, uni, object, generation.
        std::istringstream fonts(commandOutput("pdffonts " + quoted(out) + " 2>/dev/null"));
        std::string line;
        int listed = 0;
        while (std::getline(fonts, line)) {
            if (line.find(c.embeddedName) == std::string::npos) continue;
            ++listed;
            std::istringstream fields(line);
            std::vector<std::string> f;
            for (std::string w; fields >> w;) f.push_back(w);
            ASSERT_GE(f.size(), 6u) << line;
            EXPECT_EQ(f[f.size() - 5], "yes") << "not embedded: " << line;
        }
        EXPECT_EQ(listed, 1) << c.font;
        // The characters come back (each may stand apart, as placed).
        auto letters = [](std::string s) {
            std::erase_if(s, [](unsigned char ch) { return std::isspace(ch); });
            return s;
        };
        const std::string text = letters(commandOutput("pdftotext " + quoted(out) + " - 2>/dev/null"));
        EXPECT_NE(text.find(letters(h.app.output.lastSymbol->text)), std::string::npos) << c.font << ": " << text;
    }
}

// --- Every way in ------------------------------------------------------------------

TEST(VectorSave, ExtensionChoosesTheFormatWhateverItsCase) {
    struct Case { std::string name, magic; };
    OutputHarness h;
    ASSERT_TRUE(h.build(18, "CASE"));
    for (const Case& c : {Case{"a.svg", "<?xml"}, Case{"b.SVG", "<?xml"}, Case{"c.Svg", "<?xml"},
                          Case{"d.pdf", "%PDF-"}, Case{"e.PDF", "%PDF-"}, Case{"f.pDf", "%PDF-"}}) {
        const std::string out = h.path(c.name);
        ASSERT_EQ(ExecuteResult::Accepted, LinkExecute(h.app, "[SAVEBARCODE(" + out + ")]")) << c.name;
        const auto bytes = test::readFileBytes(out);
        ASSERT_GE(bytes.size(), c.magic.size()) << c.name;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + ptrdiff_t(c.magic.size())), c.magic) << c.name;
        EXPECT_TRUE(test::decode(rendered(out, 200).padded(20), "QRCode").ok) << c.name;
    }
}

}  // namespace
}  // namespace quillet
