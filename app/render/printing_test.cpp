// The target printer's dot checks and printing: pages are written to a PDF
// file and read back with poppler (pdfinfo, pdftoppm).
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/symbol_fields.h"
#include "app/render/dimension_checks.h"
#include "app/render/output_test_util.h"
#include "app/render/print_device.h"
#include "app/render/print_symbol.h"
#include "app/render/printer_dialogs.h"

namespace quillet {
namespace {

using test::OutputHarness;

// --- Printer-resolution check ----------------------------------------------------

TEST(PrinterResolutionCheck, DimensionsAgainstThePrinterAxes) {
    struct Case {
        std::string name;
        int symbology, orientation, dpiX, dpiY;
        int X, H;           // integer narrow width and bar height (drawing units)
        float module;       // PDF417 module width or 2-D module size
        std::string warned; // "" when no warning
    };
    const Case cases[] = {
        // Vertical on 600 x 300: the bar widths run along the 300 dpi axis.
        {"vertical_width", 1, Vertical90, 600, 300, 20, 2540, 0, "Narrow Bar Width"},
        {"horizontal_width", 1, Horizontal, 600, 300, 20, 2540, 0, ""},
        {"vertical_height", 1, Vertical270, 600, 300, 100, 20, 0, ""},
        {"horizontal_height", 1, Horizontal, 600, 300, 100, 20, 0, "Bar Code Height"},
        {"both_last_named", 1, Horizontal, 300, 300, 20, 20, 0, "Bar Code Height"},
        // Exactly three dots: 30 units at 254 dpi, 60 at 127 dpi.
        {"three_dots", 1, Horizontal, 254, 254, 30, 2540, 0, ""},
        {"under_three_dots", 1, Horizontal, 254, 254, 29, 2540, 0, "Narrow Bar Width"},
        {"three_dots_127", 1, Horizontal, 127, 127, 60, 2540, 0, ""},
        // 19 units: 2.24 dots at 300 dpi, 4.49 at 600.
        {"19_at_300", 1, Horizontal, 300, 300, 19, 2540, 0, "Narrow Bar Width"},
        {"19_at_600", 1, Horizontal, 600, 600, 19, 2540, 0, ""},
        {"pdf_module_width", 15, Horizontal, 300, 300, 0, 0, 19.0f, "Module Width"},
        {"pdf_ok", 15, Horizontal, 300, 300, 0, 0, 25.4f, ""},
        {"aztec_module", 16, Horizontal, 600, 300, 0, 0, 19.0f, "Module Size"},
        {"qr_module_ok", 18, Horizontal, 600, 600, 0, 0, 19.0f, ""},
    };
    for (const Case& c : cases) {
        OutputHarness h;
        SymbolSettings& s = h.app.settings;
        s.symbology = c.symbology;
        s.orientation = c.orientation;
        s.printerDpiX = c.dpiX;
        s.printerDpiY = c.dpiY;
        updateEffectiveDpi(s);
        s.pdfModuleWidth = c.symbology == 15 ? c.module : 100.0f;
        s.pdfModuleHeight = 100.0f;
        s.matrixModuleSize = c.module;
        h.ui.answer = [](const std::string&, platform::Buttons) { return platform::Answer::Cancel; };
        const bool carriedOn = CheckPrinterResolution(h.app, c.X, c.H);
        EXPECT_EQ(carriedOn, c.warned.empty()) << c.name;
        if (c.warned.empty()) {
            EXPECT_TRUE(h.ui.messages.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(h.ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(h.ui.messages[0].title, "Printer Resolution Warning");
        EXPECT_EQ(h.ui.messages[0].text,
                  "WARNING! - The Specified " + c.warned +
                      " is less than three printer dots for the chosen target printer. Bar Codes produced using this "
                      "dimension may be unreadable!\r\nEither increase the " + c.warned +
                      " dimension or select a different target printer.\r\n\r\nDo you want to continue generating "
                      "this bar code?")
            << c.name;
        EXPECT_EQ(h.ui.beeps, 1) << c.name;
    }
}

TEST(PrinterResolutionCheck, ThreeDotsTypedInPrinterDotsPass) {
    for (int dpi : {72, 120, 144, 300, 360, 600, 1200, 2400}) {
        OutputHarness h;
        SymbolSettings& s = h.app.settings;
        s.symbology = 16;
        s.unitMode = UnitPrinterDots;
        s.printerDpiX = s.printerDpiY = dpi;
        updateEffectiveDpi(s);
        s.matrixModuleSize = widthFromUnit(s, 3);
        EXPECT_TRUE(CheckPrinterResolution(h.app, 0, 0)) << dpi;
        s.matrixModuleSize = widthFromUnit(s, 2.99);
        h.ui.answer = [](const std::string&, platform::Buttons) { return platform::Answer::Cancel; };
        EXPECT_FALSE(CheckPrinterResolution(h.app, 0, 0)) << dpi;
    }
}

TEST(PrinterResolutionCheck, ResolutionOptionsOfTheDestination) {
    struct Case { std::string text; bool ok; int x, y; };
    for (const Case& c : {Case{"600dpi", true, 600, 600}, Case{"600x300dpi", true, 600, 300},
                          Case{"118dpcm", true, 300, 300}, Case{"0dpi", false, 0, 0}, Case{"600", false, 0, 0},
                          Case{"fine", false, 0, 0}, Case{"99999999999999999999dpi", false, 0, 0}}) {
        int x = 0, y = 0;
        EXPECT_EQ(parseResolution(c.text, x, y), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(x, c.x) << c.text;
            EXPECT_EQ(y, c.y) << c.text;
        }
    }
}

// --- Printing to a file destination -------------------------------------------------

struct PrintToFile {
    std::string pdf;
    explicit PrintToFile(const std::string& path) : pdf(path) { ::setenv("QUILLET_PRINT_TO_FILE", path.c_str(), 1); }
    ~PrintToFile() { ::unsetenv("QUILLET_PRINT_TO_FILE"); }
};

std::string pdfField(const std::string& pdf, const std::string& key) {
    std::istringstream in(test::commandOutput("pdfinfo " + test::quoted(pdf) + " 2>/dev/null"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return line.substr(line.find_first_not_of(' ', key.size() + 1));
    return {};
}

// The top-left part of the page at dpi, in greys.
test::GreyImage pageCorner(const std::string& pdf, int dpi, int w, int h) {
    return test::parsePgm(test::commandOutput("pdftoppm -gray -r " + std::to_string(dpi) + " -x 0 -y 0 -W " +
                                              std::to_string(w) + " -H " + std::to_string(h) + " " +
                                              test::quoted(pdf) + " 2>/dev/null"));
}

struct Box { int left = -1, top = -1, right = -1, bottom = -1; };

// Bounding box of the pixels darker than near-white.
Box inkBox(const test::GreyImage& img) {
    Box b;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.pixels[size_t(y) * size_t(img.width) + size_t(x)] < 240) {
                if (b.left < 0 || x < b.left) b.left = x;
                if (b.top < 0) b.top = y;
                b.right = std::max(b.right, x + 1);
                b.bottom = y + 1;
            }
    return b;
}

// A print job is 1-bit: a light background prints no dots. Without quiet
// zones and text the bars span the whole picture, so its ink is the
// picture's edges.
void prepare(OutputHarness& h, int dpi) {
    h.app.settings.narrowWidth = 50;
    h.app.settings.quietZones = false;
    h.app.settings.includeText = false;
    h.app.settings.printerDpiX = h.app.settings.printerDpiY = dpi;
    updateEffectiveDpi(h.app.settings);
}

TEST(Printing, SymbolAtTheMarginsWithItsPhysicalSize) {
    struct Case { int dpi; float left, top; };
    for (Case c : {Case{600, 1.0f, 0.5f}, Case{300, 0.25f, 1.0f}}) {
        OutputHarness h;
        PrintToFile dest(h.path("page.pdf"));
        prepare(h, c.dpi);
        ASSERT_TRUE(h.build(13, "Printed 1"));
        h.app.settings.raster.leftPrintMargin = c.left;
        h.app.settings.raster.topPrintMargin = c.top;
        ASSERT_TRUE(PrintSymbol(h.app, true));
        auto device = defaultPrintDevice(c.dpi, c.dpi);
        ASSERT_TRUE(device.has_value());
        std::ostringstream size;
        size << device->pageWidth << " x " << device->pageHeight << " pts";
        EXPECT_EQ(pdfField(dest.pdf, "Pages"), "1");
        EXPECT_EQ(pdfField(dest.pdf, "Page size").substr(0, size.str().size()), size.str());

        const auto& pict = h.app.output.lastSymbol.value().metafile;
        const int w = int(std::nearbyint(pict.xExt * c.dpi / 2540.0)), ht = int(std::nearbyint(pict.yExt * c.dpi / 2540.0));
        const int left = int(std::nearbyint(c.left * c.dpi)), top = int(std::nearbyint(c.top * c.dpi));
        test::GreyImage img = pageCorner(dest.pdf, c.dpi, left + w + 100, top + ht + 100);
        Box b = inkBox(img);
        EXPECT_EQ(b.left, left) << c.dpi;
        EXPECT_EQ(b.top, top) << c.dpi;
        EXPECT_NEAR(b.right - b.left, w, 1) << c.dpi;
        EXPECT_NEAR(b.bottom - b.top, ht, 1) << c.dpi;
        auto d = test::decode(img, "Code128");
        ASSERT_TRUE(d.ok) << c.dpi;
        EXPECT_EQ(d.text, "Printed 1");
    }
}

TEST(Printing, WithoutEjectSymbolsShareOnePage) {
    OutputHarness h;
    PrintToFile dest(h.path("shared.pdf"));
    prepare(h, 300);
    RasterOptions& r = h.app.settings.raster;
    ASSERT_TRUE(h.build(13, "First"));
    r.leftPrintMargin = 0.5f;
    r.topPrintMargin = 0.5f;
    ASSERT_TRUE(PrintSymbol(h.app, false));
    EXPECT_FALSE(std::filesystem::exists(dest.pdf));  // the page is still open
    ASSERT_TRUE(h.build(13, "Second"));
    r.topPrintMargin = 2.0f;
    ASSERT_TRUE(PrintSymbol(h.app, false));
    ASSERT_TRUE(EjectPage(h.app));
    EXPECT_EQ(pdfField(dest.pdf, "Pages"), "1");
    test::GreyImage img = pageCorner(dest.pdf, 300, 1500, 1500);
    auto all = test::decodeAll(img, "Code128");
    std::set<std::string> texts;
    for (const auto& d : all) texts.insert(d.text);
    EXPECT_EQ(texts, (std::set<std::string>{"First", "Second"}));
    // Each sits at its own margins.
    const int col = 150 + 3;
    std::vector<int> tops;
    for (int y = 1; y < img.height; ++y)
        if (img.pixels[size_t(y) * 1500 + col] < 240 && img.pixels[size_t(y - 1) * 1500 + col] >= 240) tops.push_back(y);
    EXPECT_EQ(tops, (std::vector<int>{150, 600}));
}

TEST(Printing, NothingToPrintOrEject) {
    OutputHarness h;
    PrintToFile dest(h.path("none.pdf"));
    EXPECT_TRUE(EjectPage(h.app));  // no page open: nothing happens
    EXPECT_FALSE(PrintSymbol(h.app, true));  // no picture on the clipboard
    EXPECT_FALSE(std::filesystem::exists(dest.pdf));
    // Margins out of all reason print off the page instead of failing.
    prepare(h, 300);
    ASSERT_TRUE(h.build(13, "Far"));
    h.app.settings.raster.leftPrintMargin = 1e30f;
    h.app.settings.raster.topPrintMargin = -1e30f;
    EXPECT_TRUE(PrintSymbol(h.app, true));
    EXPECT_EQ(pdfField(dest.pdf, "Pages"), "1");
}

TEST(PrinterDialogs, TargetPrinterOkStoresRoundedResolutions) {
    struct Case { std::string h, v; bool warnings; int wantX, wantY; bool changed; };
    for (const Case& c : {Case{"600", "300", true, 600, 300, true}, Case{"300", "300", true, 300, 300, false},
                          Case{"300", "300", false, 300, 300, true}, Case{"0", "-5", true, 1, 1, true},
                          Case{"299.5", "300.5", true, 300, 300, false}, Case{"dots", "", true, 1, 1, true},
                          Case{"1e12", "2400", true, 99999, 2400, true}}) {
        OutputHarness h;
        SymbolSettings& s = h.app.settings;
        s.printerDpiX = s.printerDpiY = 300;
        s.printerWarnings = true;
        s.orientation = Vertical90;
        s.changed = false;
        TargetPrinterFields f = targetPrinterFields(h.app);
        EXPECT_EQ(f.hdpi, "300");
        f.hdpi = c.h;
        f.vdpi = c.v;
        f.warnings = c.warnings;
        applyTargetPrinterDialog(h.app, f);
        EXPECT_EQ(s.printerDpiX, c.wantX) << c.h;
        EXPECT_EQ(s.printerDpiY, c.wantY) << c.v;
        EXPECT_EQ(s.printerWarnings, c.warnings);
        EXPECT_EQ(s.changed, c.changed) << c.h << " " << c.v;
        // Vertical: across the bars is the printer's vertical axis.
        EXPECT_EQ(s.effectiveDpiX, c.wantY);
        EXPECT_EQ(s.effectiveDpiY, c.wantX);
    }
    EXPECT_EQ(targetPrinterDpiItems().size(), 11u);
    EXPECT_EQ(targetPrinterDpiItems().front(), "  72");
}

TEST(PrinterDialogs, MarginsOfAnInchAndAHalfAt600Dpi) {
    OutputHarness h;
    PrintToFile dest(h.path("margins.pdf"));
    prepare(h, 600);
    ASSERT_TRUE(h.build(13, "Margins"));
    PrintMarginFields f = printMarginFields(h.app);
    EXPECT_EQ(f.left, "0");
    f.left = "1.0";
    f.top = "0.5";
    ASSERT_TRUE(printWithMargins(h.app, f));
    EXPECT_EQ(printMarginFields(h.app).left, "1");
    EXPECT_EQ(printMarginFields(h.app).top, "0.5");
    Box b = inkBox(pageCorner(dest.pdf, 600, 2400, 1200));
    EXPECT_EQ(b.left, 600);
    EXPECT_EQ(b.top, 300);
}

// No print server at all: start-up falls back to 300 x 300 and printing
// does nothing.
TEST(Printing, WithoutAnyPrinter) {
    ::setenv("CUPS_SERVER", "/nonexistent/quillet-test/cups.sock", 1);
    ::unsetenv("PRINTER");
    ::unsetenv("LPDEST");
    cupsSetServer(nullptr);
    int x = 7, y = 7;
    EXPECT_FALSE(targetPrinterResolution(x, y));
    OutputHarness h;
    h.app.settings.printerDpiX = 600;
    startMainWindow(h.app);
    EXPECT_EQ(h.app.settings.printerDpiX, 300);
    EXPECT_EQ(h.app.settings.printerDpiY, 300);
    EXPECT_FALSE(defaultPrintDevice(600, 600).has_value());
    h.app.scratchMetafilePath = h.path("scratch.wmf");
    h.app.settings.printerWarnings = false;
    ASSERT_TRUE(h.build(13, "Nowhere"));
    EXPECT_FALSE(PrintSymbol(h.app, true));
    TargetPrinterFields f = targetPrinterFields(h.app);
    EXPECT_FALSE(selectTargetPrinter(f));
    EXPECT_EQ(f.hdpi, "300");
    ::unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

// A print that fails says why, with the system's reason where there is one.
TEST(Printing, FailuresSayWhy) {
    struct Case {
        const char* name;
        bool toFile;           // a file destination (else no printer at all)
        const char* file;      // under the test's folder
        const char* reason;    // in the message after "Cannot print the bar code: "
    } cases[] = {
        {"missing folder", true, "no/such/folder/job.pdf", "No such file or directory"},
        {"no printer", false, "", "no printer is set up"},
    };
    for (const Case& c : cases) {
        OutputHarness h;
        prepare(h, 300);
        ASSERT_TRUE(h.build(13, "Why"));
        if (c.toFile) {
            ::setenv("QUILLET_PRINT_TO_FILE", h.path(c.file).c_str(), 1);
        } else {
            ::unsetenv("QUILLET_PRINT_TO_FILE");
            ::setenv("CUPS_SERVER", "/nonexistent/quillet-test/cups.sock", 1);
            ::unsetenv("PRINTER");
            ::unsetenv("LPDEST");
            cupsSetServer(nullptr);
        }
        h.ui.messages.clear();
        EXPECT_FALSE(PrintSymbol(h.app, true)) << c.name;
        ::unsetenv("QUILLET_PRINT_TO_FILE");
        ::unsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
        ASSERT_EQ(h.ui.messages.size(), 1u) << c.name;
        const std::string& text = h.ui.messages[0].text;
        EXPECT_EQ(text.rfind("Cannot print the bar code: ", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_EQ(text.back(), '.') << text;
    }
}

bool accepted(AppState& app, const std::string& execute) {
    return LinkExecute(app, execute) == ExecuteResult::Accepted;
}

TEST(Printing, CommandsPrintKeepThePageOpenAndEject) {
    OutputHarness h;
    PrintToFile dest(h.path("commands.pdf"));
    prepare(h, 300);
    EXPECT_FALSE(accepted(h.app, "[PRINT]"));  // nothing built yet
    ASSERT_TRUE(h.build(13, "Command"));
    ASSERT_TRUE(accepted(h.app, "[LEFTPRINTMARGIN=0.5][TOPPRINTMARGIN=1][PRINTNOEJECT]"));
    EXPECT_FALSE(std::filesystem::exists(dest.pdf));
    ASSERT_TRUE(accepted(h.app, "[EJECTPAGE]"));
    EXPECT_EQ(pdfField(dest.pdf, "Pages"), "1");
    Box b = inkBox(pageCorner(dest.pdf, 300, 1200, 1200));
    EXPECT_EQ(b.left, 150);
    EXPECT_EQ(b.top, 300);
    std::filesystem::remove(dest.pdf);
    ASSERT_TRUE(accepted(h.app, "[PRINT]"));
    EXPECT_EQ(pdfField(dest.pdf, "Pages"), "1");
}

}  // namespace
}  // namespace quillet
