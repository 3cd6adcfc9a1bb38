#pragma once
// The METAFILEPICT record: four signed 32-bit fields, as the clipboard and
// the library interfaces carry it.
#include <cstdint>

namespace gdi {

using Handle = int32_t;  // index into the process-wide object table; 0 = none

struct MetafilePict {
    int32_t mm = 8;  // mapping mode, always 8 (anisotropic)
    int32_t xExt = 0;  // width in 0.01 mm
    int32_t yExt = 0;  // height in 0.01 mm
    int32_t hMF = 0;   // metafile handle
};
static_assert(sizeof(MetafilePict) == 16);

}  // namespace gdi
