// Printing the symbol: the last built picture becomes a 1-bit raster at
// the device's resolution (print_raster.h), placed at the print margins.
// The page stays open until a print that ejects it (or EjectPage), so
// several symbols can share one page; ejecting writes the page as a PDF of
// one image at device resolution and hands it to the destination.
#include "app/render/print_symbol.h"

#include <cups/cups.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "app/model/app_state.h"
#include "app/render/print_device.h"
#include "app/render/print_raster.h"
#include "app/render/raster_page_pdf.h"
#include "platform/file_output.h"

namespace quillet {

namespace {

struct Placed {
    DotRaster raster;
    int left = 0, top = 0;  // dots from the page's top-left corner
};

// The document being printed (one printer object per program).
struct OpenDocument {
    PrintDevice device;
    std::vector<Placed> symbols;
};

std::optional<OpenDocument>& openDocument() {
    static std::optional<OpenDocument> doc;
    return doc;
}

// A page far beyond any printer's is not composed.
constexpr int64_t kMaxPageDots = int64_t(1) << 32;

int pageDots(double points, int dpi) { return int(std::ceil(points * dpi / 72.0)); }

// The page's dots that carry symbols, as one raster and its place.
std::optional<Placed> composePage(const OpenDocument& doc) {
    const int pageW = pageDots(doc.device.pageWidth, doc.device.dpiX);
    const int pageH = pageDots(doc.device.pageHeight, doc.device.dpiY);
    int left = pageW, top = pageH, right = 0, bottom = 0;
    for (const Placed& p : doc.symbols) {
        const int l = std::max(0, p.left), t = std::max(0, p.top);
        const int r = std::min(pageW, p.left + p.raster.width), b = std::min(pageH, p.top + p.raster.height);
        if (l >= r || t >= b) continue;  // off the page
        left = std::min(left, l), top = std::min(top, t), right = std::max(right, r), bottom = std::max(bottom, b);
    }
    if (left >= right || top >= bottom) return Placed{};
    if (int64_t(right - left) * (bottom - top) > kMaxPageDots) return std::nullopt;
    Placed page{DotRaster::blank(right - left, bottom - top), left, top};
    for (const Placed& p : doc.symbols) placeRaster(page.raster, p.raster, p.left - left, p.top - top);
    return page;
}

// Ends the document and hands the PDF to its destination: why that failed,
// or empty when the page went out.
std::string finishFailure(const OpenDocument& doc) {
    const auto page = composePage(doc);
    if (!page) return "the page is too large to print";
    const RasterPage layout{doc.device.pageWidth, doc.device.pageHeight, doc.device.dpiX, doc.device.dpiY,
                            page->left, page->top};
    const std::vector<uint8_t> pdf = rasterPagePdf(page->raster, layout);
    if (!doc.device.file.empty()) return platform::overwriteFileBytes(doc.device.file, pdf).reason;

    std::string path = (std::filesystem::temp_directory_path() / "quillet-print-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return std::string("the print job cannot be written: ") + std::strerror(errno);
    ::close(fd);
    std::string failure = platform::overwriteFileBytes(path, pdf).reason;
    if (failure.empty()) {
        // The page is already at device resolution: nothing may scale it.
        cups_option_t* options = nullptr;
        int count = cupsAddOption("print-scaling", "none", 0, &options);
        count = cupsAddOption("fit-to-page", "false", count, &options);
        if (cupsPrintFile2(CUPS_HTTP_DEFAULT, doc.device.destination.c_str(), path.c_str(), "Quillet", count,
                           options) <= 0)
            failure = "the printing system refused the job (" + std::string(cupsLastErrorString()) + ")";
        cupsFreeOptions(count, options);
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return failure;
}

void reportPrintFailure(AppState& app, const std::string& reason) {
    if (!app.ui) return;
    app.ui->beep();
    app.ui->messageBox("Cannot print the bar code: " + reason + ".", app.appTitle, platform::Buttons::Ok);
}

// A device coordinate from a single-precision product; margins typed out of
// all reason stay within the page's neighbourhood instead of overflowing.
int deviceDots(float v) {
    if (!std::isfinite(v)) return 0;
    return int(std::nearbyint(std::fmax(-1.0e6f, std::fmin(1.0e6f, v))));
}

}  // namespace

bool PrintSymbol(AppState& app, bool ejectPage) {
    // Printing follows a Build/Copy; without a symbol there is nothing to print.
    if (!app.output.lastSymbol) return false;

    auto& doc = openDocument();
    if (!doc) {
        auto device = defaultPrintDevice(app.settings.printerDpiX, app.settings.printerDpiY);
        if (!device) {
            reportPrintFailure(app, "no printer is set up (the printing system names no default destination)");
            return false;
        }
        doc = OpenDocument{*device, {}};
    }
    const PrintDevice& device = doc->device;
    auto raster = printRaster(app.settings, *app.output.lastSymbol, device.dpiX, device.dpiY);
    const RasterOptions& r = app.settings.raster;
    if (!raster) reportPrintFailure(app, "the symbol cannot be drawn at the printer's resolution");
    if (raster) {
        doc->symbols.push_back({std::move(*raster), deviceDots(r.leftPrintMargin * float(device.dpiX)),
                                deviceDots(r.topPrintMargin * float(device.dpiY))});
    }
    if (!ejectPage) return raster.has_value();
    return EjectPage(app) && raster.has_value();
}

bool EjectPage(AppState& app) {
    auto& doc = openDocument();
    if (!doc) return true;  // no page started: nothing to eject
    const std::string failure = finishFailure(*doc);
    doc.reset();
    if (!failure.empty()) reportPrintFailure(app, failure);
    return failure.empty();
}

}  // namespace quillet
