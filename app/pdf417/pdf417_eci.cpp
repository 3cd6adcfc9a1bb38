#include <string_view>

#include "app/pdf417/pdf417_compaction.h"

namespace quillet {

PdfCodewordString CompactWithEci(int eci, std::string_view bytes) {
    PdfCodewordString out{30, kPdfEci - 900, eci / 30, eci % 30};
    const PdfCodewordString data = CompactBytes(bytes);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace quillet
