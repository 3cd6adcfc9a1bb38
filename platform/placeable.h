#pragma once
// Placeable metafile files: the 22-byte header in front of a metafile.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/metafile_pict.h"

namespace platform {

// The header: key, handle 0, bounding box (0, 0, xExt, yExt), units per
// inch, reserved 0, and the XOR of the ten words before the checksum.
std::vector<uint8_t> placeableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                     uint16_t unitsPerInch = 2540);
// Header + metafile bytes; the metafile bytes are not examined.
std::vector<uint8_t> addPlaceableHeader(const std::vector<uint8_t>& wmf, int16_t xExt, int16_t yExt,
                                        uint16_t unitsPerInch = 2540);
// The plain metafile: bytes without a leading placeable header (bytes that
// carry none come back unchanged).
std::vector<uint8_t> stripPlaceableHeader(const std::vector<uint8_t>& bytes);
bool hasPlaceableHeader(const std::vector<uint8_t>& bytes);

// The placeable file's bytes for a recorded metafile (gdi::GetMetaFileBits)
// with extents in 0.01 mm; empty when there are no records or an extent does
// not fit the header (it would be stored wrapped).
std::vector<uint8_t> placeableMetafileBytes(const std::vector<uint8_t>& records, int xExt, int yExt);

// Writes the metafile to path as a placeable file with extents in 0.01 mm,
// over what the file held. Callers ignore the result (a write that fails
// leaves no picture); it is false for a bad handle, extents that do not fit
// the header, or a file that could not be written.
bool WritePlaceableMetafile(gdi::Handle hmf, int xExt, int yExt, const std::string& path);

}  // namespace platform
