// WMF bytes of any shape: the strict reader, playback into a metafile DC
// (whose output must read back) and rendering onto a small image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/renderer.h"
#include "platform/wmf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    auto mf = wmf::parse(bytes);
    if (!mf) return 0;

    gdi::Handle hmf = gdi::SetMetaFileBits(platform::stripPlaceableHeader(bytes));
    if (hmf) {
        gdi::Handle dc = gdi::CreateMetaFile(nullptr);
        gdi::PlayMetaFile(dc, hmf);
        gdi::Handle copy = gdi::CloseMetaFile(dc);
        if (!wmf::parse(gdi::GetMetaFileBits(copy))) __builtin_trap();
        gdi::DeleteMetaFile(copy);
        gdi::DeleteMetaFile(hmf);
    }
    // Render at a resolution that keeps the image small.
    if (auto extent = platform::pictureExtent(bytes)) {
        int longest = extent->width > extent->height ? extent->width : extent->height;
        if (longest > 0) {
            double dpi = 128.0 * extent->unitsPerInch / longest;
            platform::renderToImage(bytes, dpi, dpi);
        }
    }
    return 0;
}
