#include "platform/placeable.h"

#include "platform/file_output.h"
#include "platform/gdi.h"
#include "platform/wmf_format.h"

namespace platform {
namespace {

void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

}  // namespace

std::vector<uint8_t> placeableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                     uint16_t unitsPerInch) {
    std::vector<uint8_t> h;
    h.reserve(wmf::kPlaceableHeaderBytes);
    put16(h, uint16_t(wmf::kPlaceableKey & 0xFFFF));
    put16(h, uint16_t(wmf::kPlaceableKey >> 16));
    put16(h, 0);  // handle
    put16(h, uint16_t(left));
    put16(h, uint16_t(top));
    put16(h, uint16_t(right));
    put16(h, uint16_t(bottom));
    put16(h, unitsPerInch);
    put16(h, 0);  // reserved
    put16(h, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < h.size(); i += 2) sum ^= uint16_t(h[i] | h[i + 1] << 8);
    put16(h, sum);
    return h;
}

std::vector<uint8_t> addPlaceableHeader(const std::vector<uint8_t>& wmf, int16_t xExt, int16_t yExt,
                                        uint16_t unitsPerInch) {
    std::vector<uint8_t> out = placeableHeader(0, 0, xExt, yExt, unitsPerInch);
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

bool hasPlaceableHeader(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= wmf::kPlaceableHeaderBytes &&
           (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24) == wmf::kPlaceableKey;
}

std::vector<uint8_t> stripPlaceableHeader(const std::vector<uint8_t>& bytes) {
    if (!hasPlaceableHeader(bytes)) return bytes;
    return std::vector<uint8_t>(bytes.begin() + wmf::kPlaceableHeaderBytes, bytes.end());
}

std::vector<uint8_t> placeableMetafileBytes(const std::vector<uint8_t>& records, int xExt, int yExt) {
    if (records.empty() || !gdi::fitsInt16(xExt) || !gdi::fitsInt16(yExt)) return {};
    return addPlaceableHeader(records, int16_t(xExt), int16_t(yExt));
}

bool WritePlaceableMetafile(gdi::Handle hmf, int xExt, int yExt, const std::string& path) {
    const std::vector<uint8_t> bytes = placeableMetafileBytes(gdi::GetMetaFileBits(hmf), xExt, yExt);
    return !bytes.empty() && overwriteFileBytes(path, bytes);
}

}  // namespace platform
