// JPEG through libjpeg. JPEG holds no palette and no single-bit samples:
// 1 and 8 bits per pixel are written as greys, 24 as RGB.
#include <cstdio>
#include <csetjmp>
#include <vector>

#include <jpeglib.h>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void onError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1); }
void onMessage(j_common_ptr) {}

// Kept out of the function that calls setjmp, so no local of it lives
// across a longjmp.
[[gnu::noinline]] void compress(jpeg_compress_struct& c, const Image& img, int quality, std::vector<uint8_t>& line) {
    const bool colour = img.depth == 24;
    line.resize(size_t(img.width) * (colour ? 3 : 1));
    c.image_width = JDIMENSION(img.width);
    c.image_height = JDIMENSION(img.height);
    c.input_components = colour ? 3 : 1;
    c.in_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    c.density_unit = 1;  // dots per inch
    c.X_density = c.Y_density = UINT16(img.dpi);
    jpeg_start_compress(&c, TRUE);
    for (int y = 0; y < img.height; ++y) {
        if (colour) {
            const uint8_t* src = img.row(y);
            line.assign(src, src + line.size());
        } else {
            for (int x = 0; x < img.width; ++x) line[size_t(x)] = img.grey(x, y);
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
}

}  // namespace

bool writeJpeg(int fd, const Image& img, const Options& o) {
    OutputStream out(fd);
    if (!out.get()) return false;
    std::vector<uint8_t> line;
    jpeg_compress_struct c{};
    ErrorManager err{};
    c.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.output_message = onMessage;
    volatile bool ok = false;
    if (!setjmp(err.escape)) {
        jpeg_create_compress(&c);
        jpeg_stdio_dest(&c, out.get());
        compress(c, img, o.jpegQuality, line);
        ok = true;
    }
    jpeg_destroy_compress(&c);
    return out.close() && ok;
}

}  // namespace quillet::imgconv
