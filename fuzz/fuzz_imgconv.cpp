// The image writers on pictures and options of any shape: every format's
// encoder (the run-length ones above all) must write without fault; and
// resolution options of printer destinations.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/render/imgconv_image.h"
#include "app/render/print_device.h"

using namespace quillet::imgconv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 7) return 0;
    int dpiX = 0, dpiY = 0;
    quillet::parseResolution(std::string(reinterpret_cast<const char*>(data), size < 24 ? size : 24), dpiX, dpiY);

    platform::RenderedImage r;
    r.width = 1 + data[0] % 48;
    r.height = 1 + data[1] % 16;
    Options o;
    const int depths[] = {1, 8, 24};
    o.bitsPerPixel = depths[data[2] % 3];
    o.jpegQuality = 1 + data[3] % 100;
    o.pngFilter = 2 * (data[3] % 6);
    o.pngInterlace = data[4] & 1;
    o.bmpRle = data[4] & 2;
    o.tgaRle = data[4] & 4;
    o.gifLzw = data[4] & 8;
    o.tiffCompression = data[5] % 5;
    // Pixels from the remaining bytes, few colours so runs occur.
    const size_t n = size_t(r.width) * size_t(r.height);
    r.argb.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = data[6 + i % (size - 6)];
        r.argb[i] = 0xFF000000u | ((b & 0x80 ? 0xFFFFFFu : 0u) ^ (uint32_t(b & 0x7F) * 0x010203u));
    }
    Image img = prepareImage(r, o.bitsPerPixel, 300);
    Image palette = prepareImage(r, o.bitsPerPixel == 24 ? 8 : o.bitsPerPixel, 300);

    // Each writer starts on an empty file, as a save's fresh temporary does.
    static const int fd = ::memfd_create("fuzz_imgconv", 0);
    if (fd < 0) return 0;
    auto fresh = [] {
        if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) __builtin_trap();
        return fd;
    };
    writePng(fresh(), img, o);
    writeJpeg(fresh(), img, o);
    writeTiff(fresh(), img, o);
    writeGif(fresh(), palette, o);
    writeBmp(fresh(), img, o);
    writeTga(fresh(), img, o);
    writePcx(fresh(), img, o);
    return 0;
}
