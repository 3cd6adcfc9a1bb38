// Arbitrary request records through the Aztec library's one export.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gdi.h"
#include "zorvex32/zorvex32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AztecRequest rq;
    std::memset(&rq, 0, sizeof rq);
    std::memcpy(&rq, data, size < sizeof rq ? size : sizeof rq);
    // Files go to one scratch path; an empty name stays empty.
    if (rq.FileName[0] != 0) {
        std::memset(rq.FileName, 0, sizeof rq.FileName);
        std::strcpy(rq.FileName, "/tmp/fuzz_zorvex32.wmf");
    }
    gdi::MetafilePict pict{};
    ZORVEXEC(&rq, &pict);
    if (pict.hMF) gdi::DeleteMetaFile(pict.hMF);
    return 0;
}
