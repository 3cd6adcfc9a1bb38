// Printing the symbol: the last built picture is played onto a PDF
// page at its physical size, snapped to the device's dots, at the print
// margins. The page stays open until a print that ejects it (or
// EjectPage), so several symbols can share one page; ejecting ends the
// document and hands it to the destination.
#include "app/render/print_symbol.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <cups/cups.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/model/app_state.h"
#include "app/render/print_device.h"
#include "platform/gdi.h"

namespace quillet {

namespace {

// The document being printed (one printer object per program).
struct OpenDocument {
    PrintDevice device;
    std::string pdfPath;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
};

std::optional<OpenDocument>& openDocument() {
    static std::optional<OpenDocument> doc;
    return doc;
}

std::optional<OpenDocument> startDocument(const PrintDevice& device) {
    OpenDocument doc;
    doc.device = device;
    std::string pattern = (std::filesystem::temp_directory_path() / "quillet-print-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return std::nullopt;
    ::close(fd);
    doc.pdfPath = pattern;
    doc.surface = cairo_pdf_surface_create(doc.pdfPath.c_str(), device.pageWidth, device.pageHeight);
    if (cairo_surface_status(doc.surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(doc.surface);
        std::remove(doc.pdfPath.c_str());
        return std::nullopt;
    }
    doc.cr = cairo_create(doc.surface);
    // User space in device dots, as the printer's device context has it.
    cairo_scale(doc.cr, 72.0 / device.dpiX, 72.0 / device.dpiY);
    return doc;
}

// Ends the document and hands the PDF to its destination.
bool finishDocument(OpenDocument& doc) {
    cairo_destroy(doc.cr);
    cairo_surface_finish(doc.surface);
    bool ok = cairo_surface_status(doc.surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(doc.surface);
    std::error_code ec;
    if (ok) {
        if (!doc.device.file.empty()) {
            std::filesystem::copy_file(doc.pdfPath, doc.device.file, std::filesystem::copy_options::overwrite_existing,
                                       ec);
            ok = !ec;
        } else {
            ok = cupsPrintFile2(CUPS_HTTP_DEFAULT, doc.device.destination.c_str(), doc.pdfPath.c_str(), "Quillet", 0,
                                nullptr) > 0;
        }
    }
    std::filesystem::remove(doc.pdfPath, ec);
    return ok;
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
    const RecordedMetafile& pict = app.output.lastSymbol->metafile;

    auto& doc = openDocument();
    if (!doc) {
        auto device = defaultPrintDevice(app.settings.printerDpiX, app.settings.printerDpiY);
        if (!device) return false;
        doc = startDocument(*device);
        if (!doc) return false;
    }
    const float px = float(doc->device.dpiX), py = float(doc->device.dpiY);
    const RasterOptions& r = app.settings.raster;
    const gdi::Handle dc = gdi::CreateCairoDC(doc->cr, doc->device.dpiX, doc->device.dpiY);
    const int saved = gdi::SaveDC(dc);
    gdi::SetMapMode(dc, pict.mapMode);
    gdi::SetViewportOrgEx(dc, deviceDots(r.leftPrintMargin * px), deviceDots(r.topPrintMargin * py));
    gdi::SetViewportExtEx(dc, deviceDots(float(pict.xExt) * px / 2540.0f), deviceDots(float(pict.yExt) * py / 2540.0f));
    const gdi::Handle hmf = gdi::SetMetaFileBits(pict.records);
    const bool played = gdi::PlayMetaFile(dc, hmf);
    gdi::DeleteMetaFile(hmf);
    gdi::RestoreDC(dc, saved);
    gdi::DeleteDC(dc);
    if (!ejectPage) return played;
    return EjectPage(app) && played;
}

bool EjectPage(AppState&) {
    auto& doc = openDocument();
    if (!doc) return true;  // no page started: nothing to eject
    const bool ok = finishDocument(*doc);
    doc.reset();
    return ok;
}

}  // namespace quillet
