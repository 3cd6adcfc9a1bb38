#include "tests/support/render_wmf.h"

#include <fstream>
#include <iterator>

#include "platform/gdi.h"
#include "platform/renderer.h"

namespace quillet::test {

GreyImage renderWmfBytes(const std::vector<uint8_t>& bytes, double dpi) {
    auto img = platform::renderToImage(bytes, dpi, dpi);
    if (!img) return {};
    GreyImage out;
    out.width = img->width;
    out.height = img->height;
    out.pixels = img->grey();
    return out;
}

GreyImage renderWmfFile(const std::string& path, double dpi) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return renderWmfBytes(bytes, dpi);
}

GreyImage renderMetafileHandle(int32_t hmf, double dpi) { return renderWmfBytes(gdi::GetMetaFileBits(hmf), dpi); }

}  // namespace quillet::test
