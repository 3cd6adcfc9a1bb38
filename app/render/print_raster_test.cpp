// Print jobs are dot-exact: the PDF a job writes holds the symbol's print
// raster pixel for pixel at the device's resolution, and it decodes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/automation/automation_session.h"
#include "app/render/output_test_util.h"
#include "app/render/print_raster.h"
#include "app/render/print_symbol.h"
#include "app/render/raster_page_pdf.h"
#include "platform/file_output.h"

namespace quillet {
namespace {

// A binary PBM (P4) as its dots; width 0 when malformed.
DotRaster parsePbm(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string magic;
    int w = 0, h = 0;
    in >> magic;
    for (int* f : {&w, &h}) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
        in >> *f;
    }
    in.get();
    if (magic != "P4" || w <= 0 || h <= 0) return {};
    DotRaster r = DotRaster::blank(w, h);
    const auto offset = size_t(in.tellg());
    if (bytes.size() < offset + r.bits.size()) return {};
    std::copy(bytes.begin() + ptrdiff_t(offset), bytes.begin() + ptrdiff_t(offset + r.bits.size()), r.bits.begin());
    return r;
}

// The dots as a grey image inside a white border (the quiet zone a page gives).
test::GreyImage greyOf(const DotRaster& r, int border) {
    const int w = r.width + 2 * border;
    test::GreyImage img(w, r.height + 2 * border);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            if (r.at(x, y)) img.pixels[size_t(y + border) * size_t(w) + size_t(x + border)] = 0;
    return img;
}

struct JobCase {
    const char* name;
    const char* execute;  // settings and the build
    int dpiX, dpiY;       // the device (a file destination takes the target printer's)
    const char* format;   // zxing's name
    const char* text;
};

const JobCase kJobs[] = {
    {"Code128ThirteenMilsAt203", "[CODE128][INCHES][BARWIDTH=13][MESSAGE='DOT-EXACT 1']", 203, 203, "Code128",
     "DOT-EXACT 1"},
    {"Code128ThreeDotsAt203", "[CODE128][DOTS][BARWIDTH=3][BARHEIGHT=120][MESSAGE='DOT-EXACT 2']", 203, 203,
     "Code128", "DOT-EXACT 2"},
    {"Code39VerticalOn600x300", "[CODE39][VERTUP][DOTS][BARWIDTH=4][RATIO=2.5][MESSAGE='QUILLET']", 600, 300,
     "Code39", "QUILLET"},
    {"DataMatrixAt300", "[DATAMATRIX][DMMODULESIZE=20][MESSAGE='Dot exact']", 300, 300, "DataMatrix", "Dot exact"},
    {"QrCodeInDotsAt600", "[QRCODE][DOTS][BARWIDTH=7][MESSAGE='https://example.org/q']", 600, 600, "QRCode",
     "https://example.org/q"},
};

class PrintJobTest : public ::testing::TestWithParam<JobCase> {};

// The job handed to the printing system holds the print raster itself, dot
// for dot (as poppler's image extraction reads it back), drawn at exactly one
// image pixel per device dot with its corner on a whole dot at the margins.
// Ghostscript, rasterising the page at the device resolution, prints exactly
// those dots. (Poppler is no judge here: its image scaler widens edges by a
// dot here and there.)
TEST_P(PrintJobTest, TheJobHoldsThePrintRasterAtTheMargins) {
    const JobCase& c = GetParam();
    test::OutputHarness files;
    const std::string pdf = files.path("job.pdf");
    ::setenv("QUILLET_PRINT_TO_FILE", pdf.c_str(), 1);
    test::Session session;
    const std::string dpi = "[HORIZONTALDPI=" + std::to_string(c.dpiX) + "][VERTICALDPI=" + std::to_string(c.dpiY) + "]";
    ASSERT_TRUE(session.run(dpi + c.execute + "[BUILD/COPY][LEFTPRINTMARGIN=0.5][TOPPRINTMARGIN=0.25][PRINT]"));
    ::unsetenv("QUILLET_PRINT_TO_FILE");
    const auto expected = printRaster(session.s(), *session.app.output.lastSymbol, c.dpiX, c.dpiY);
    ASSERT_TRUE(expected);

    const DotRaster image = parsePbm(test::commandOutput("pdfimages -f 1 -l 1 " + test::quoted(pdf) + " " +
                                                         test::quoted(files.path("img")) + " && cat " +
                                                         test::quoted(files.path("img-000.pbm"))));
    ASSERT_EQ(image.width, expected->width) << c.name;
    ASSERT_EQ(image.height, expected->height) << c.name;
    // PBM's 1 is black, as the job's samples are under /Decode [1 0].
    EXPECT_EQ(image.bits, expected->bits) << c.name;

    // The placement: "q w 0 0 h x y cm" in points, the page height from the media box.
    const std::string bytes = test::commandOutput("cat " + test::quoted(pdf));
    double w = 0, h = 0, x = 0, y = 0, pageW = 0, pageH = 0;
    const size_t box = bytes.find("/MediaBox [0 0 ");
    ASSERT_NE(box, std::string::npos);
    ASSERT_EQ(std::sscanf(bytes.c_str() + box, "/MediaBox [0 0 %lf %lf", &pageW, &pageH), 2);
    const size_t q = bytes.find("\nq ");
    ASSERT_NE(q, std::string::npos);
    ASSERT_EQ(std::sscanf(bytes.c_str() + q, "\nq %lf 0 0 %lf %lf %lf cm", &w, &h, &x, &y), 4);
    EXPECT_NEAR(w * c.dpiX / 72.0, expected->width, 1e-3);
    EXPECT_NEAR(h * c.dpiY / 72.0, expected->height, 1e-3);
    EXPECT_NEAR(x * c.dpiX / 72.0, std::lround(0.5 * c.dpiX), 1e-3) << "left margin 0.5 in, in whole dots";
    EXPECT_NEAR((pageH - y - h) * c.dpiY / 72.0, std::lround(0.25 * c.dpiY), 1e-3) << "top margin 0.25 in, in whole dots";

    // An independent rasteriser prints exactly those dots at the margins.
    const DotRaster page = parsePbm(test::commandOutput(
        "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pbmraw -r" + std::to_string(c.dpiX) + "x" +
        std::to_string(c.dpiY) + " -sOutputFile=- " + test::quoted(pdf) + " 2>/dev/null"));
    const int left = int(std::lround(0.5 * c.dpiX)), top = int(std::lround(0.25 * c.dpiY));
    ASSERT_GE(page.width, left + expected->width + 20) << c.name;
    ASSERT_GE(page.height, top + expected->height + 20) << c.name;
    long differing = 0;
    for (int y = -20; y < expected->height + 20; ++y)
        for (int x = -20; x < expected->width + 20; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < expected->width && y < expected->height;
            differing += page.at(left + x, top + y) != (inside && expected->at(x, y));
        }
    EXPECT_EQ(differing, 0) << c.name << ": dots ghostscript prints otherwise";

    const test::Decoded d = test::decode(greyOf(image, 20), c.format);
    ASSERT_TRUE(d.ok) << c.name;
    EXPECT_EQ(d.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Jobs, PrintJobTest, ::testing::ValuesIn(kJobs),
                         [](const auto& info) { return std::string(info.param.name); });

// What the printing system is handed: one 1-bit image at exactly the
// device's resolution, not interpolated (as poppler's image list reports it).
TEST(RasterPagePdf, OneImageAtDeviceResolution) {
    struct Case { int dpiX, dpiY, width, height; };
    for (const Case c : {Case{203, 203, 120, 40}, Case{600, 300, 64, 17}, Case{300, 300, 1, 1}}) {
        test::OutputHarness files;
        DotRaster r = DotRaster::blank(c.width, c.height);
        r.set(0, 0);
        const std::string pdf = files.path("page.pdf");
        ASSERT_TRUE(platform::overwriteFileBytes(pdf, rasterPagePdf(r, {612, 792, c.dpiX, c.dpiY, 10, 10})));
        std::istringstream list(test::commandOutput("pdfimages -list " + test::quoted(pdf) + " 2>/dev/null"));
        std::string line;
        std::vector<std::vector<std::string>> rows;
        while (std::getline(list, line)) {
            std::istringstream fields(line);
            std::vector<std::string> f;
            for (std::string v; fields >> v;) f.push_back(v);
            if (!f.empty() && f[0] == "1") rows.push_back(f);
        }
        ASSERT_EQ(rows.size(), 1u);
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        const auto& f = rows[0];
        EXPECT_EQ(f[3], std::to_string(c.width));
        EXPECT_EQ(f[4], std::to_string(c.height));
        EXPECT_EQ(f[7], "1");
        EXPECT_EQ(f[9], "no");
        EXPECT_EQ(f[12], std::to_string(c.dpiX));
        EXPECT_EQ(f[13], std::to_string(c.dpiY));
    }
}

TEST(PlaceRaster, DotsOutsideTheTargetAreDropped) {
    struct Case { int x, y; int expectedDots; };
    // A 3 x 2 block of dots placed on a 4 x 4 target.
    for (const Case c : {Case{0, 0, 6}, Case{2, 3, 2}, Case{-2, -1, 1}, Case{4, 0, 0}, Case{-3, 0, 0}}) {
        DotRaster src = DotRaster::blank(3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) src.set(x, y);
        DotRaster dst = DotRaster::blank(4, 4);
        placeRaster(dst, src, c.x, c.y);
        int count = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool inside = x - c.x >= 0 && x - c.x < 3 && y - c.y >= 0 && y - c.y < 2;
                EXPECT_EQ(dst.at(x, y), inside) << c.x << "," << c.y;
                count += dst.at(x, y);
            }
        EXPECT_EQ(count, c.expectedDots);
    }
}

}  // namespace
}  // namespace quillet
