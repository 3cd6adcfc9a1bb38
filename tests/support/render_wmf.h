#pragma once
// Renders saved metafiles (plain or placeable) to grey images for decoding.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/zxing_decode.h"

namespace quillet::test {

// An empty image (width 0) when the bytes are not a metafile the renderer
// accepts or the file cannot be read.
GreyImage renderWmfBytes(const std::vector<uint8_t>& bytes, double dpi);
GreyImage renderWmfFile(const std::string& path, double dpi);
// The metafile of a gdi handle, as the clipboard holds it.
GreyImage renderMetafileHandle(int32_t hmf, double dpi);

}  // namespace quillet::test
