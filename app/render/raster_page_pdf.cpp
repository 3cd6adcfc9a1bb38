#include "app/render/raster_page_pdf.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace quillet {

namespace {

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::vector<uint8_t> deflate(const std::vector<uint8_t>& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
    out.resize(size);
    return out;
}

struct PdfWriter {
    std::vector<uint8_t> bytes;
    std::vector<size_t> offsets;

    void put(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
    void object(const std::string& dictionary, const std::vector<uint8_t>* stream = nullptr) {
        offsets.push_back(bytes.size());
        put(std::to_string(offsets.size()) + " 0 obj\n" + dictionary);
        if (stream) {
            put("\nstream\n");
            bytes.insert(bytes.end(), stream->begin(), stream->end());
            put("\nendstream");
        }
        put("\nendobj\n");
    }
    void finish() {
        const size_t xref = bytes.size();
        put("xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n");
        for (size_t o : offsets) {
            char line[24];
            std::snprintf(line, sizeof line, "%010zu 00000 n \n", o);
            put(line);
        }
        put("trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n");
    }
};

}  // namespace

std::vector<uint8_t> rasterPagePdf(const DotRaster& printed, const RasterPage& page) {
    // An empty page still holds a valid (undrawn) image.
    const DotRaster image = printed.width > 0 && printed.height > 0 ? printed : DotRaster::blank(1, 1);
    const bool drawnAny = printed.width > 0 && printed.height > 0;
    // The image's pixels are printed dots: 1 paints black through /Decode [1 0].
    const std::vector<uint8_t> pixels = deflate(image.bits);
    const double w = image.width * 72.0 / page.dpiX, h = image.height * 72.0 / page.dpiY;
    const double x = page.left * 72.0 / page.dpiX, y = page.heightPt - page.top * 72.0 / page.dpiY - h;
    const std::string drawn = drawnAny
                                  ? "q " + number(w) + " 0 0 " + number(h) + " " + number(x) + " " + number(y) +
                                        " cm /Dots Do Q\n"
                                  : "";
    const std::vector<uint8_t> content(drawn.begin(), drawn.end());

    PdfWriter pdf;
    pdf.put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    pdf.object("<< /Type /Catalog /Pages 2 0 R >>");
    pdf.object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    pdf.object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(page.widthPt) + " " + number(page.heightPt) +
               "] /Resources << /XObject << /Dots 5 0 R >> >> /Contents 4 0 R >>");
    pdf.object("<< /Length " + std::to_string(content.size()) + " >>", &content);
    pdf.object("<< /Type /XObject /Subtype /Image /Width " + std::to_string(image.width) + " /Height " +
                   std::to_string(image.height) +
                   " /ColorSpace /DeviceGray /BitsPerComponent 1 /Decode [1 0] /Interpolate false"
                   " /Filter /FlateDecode /Length " + std::to_string(pixels.size()) + " >>",
               &pixels);
    pdf.finish();
    return pdf.bytes;
}

}  // namespace quillet
